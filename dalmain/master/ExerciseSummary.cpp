#include "dalmain/master/ExerciseSummary.h"

#include "dalmain/master/ExerciseEnergy.h"

namespace dalmain {

ExerciseSummary summarizeExercise(double exerciseEnergy, int minutes, double basalOverride, double dailyBasal,
                                  int activity)
{
    ExerciseSummary s;
    s.minutes = minutes;
    s.exercise = exerciseEnergy;
    s.basal = basalOverride != 0.0 ? basalOverride : dailyBasal;
    s.living = LivingActivityEnergy(activity, basalOverride, dailyBasal, minutes);
    s.activity = activity;
    // The exercise energy already holds the basal metabolism of its minutes, so only the rest
    // of the day's basal metabolism is added.
    s.daily = s.exercise + s.basal * minutesOutsideExercise(minutes) * (1.0 / 1440.0) + s.living;
    return s;
}

QString exerciseGuideline(int activity)
{
    return activity >= 2 ? QStringLiteral("運動は足りています。スポーツを楽しみましょう。")
                         : QStringLiteral("週に1～2回、１時間程度の適度な運動をしましょう。");
}

QStringList exerciseNotes()
{
    return {QStringLiteral("適度な運動とは？"),
            QStringLiteral("サイクリング １時間（約200～250KC）、ウォーキング(急ぎ足) １時間（約200～250KC）"),
            QStringLiteral("参考：生活習慣病予防で１日１万歩の歩行（厚生労働省 運動所要量・平成18年）"),
            QStringLiteral("※注意！ 運動消費には基礎代謝が含まれているので、一日消費では運動の基礎代謝を差し引いて計算しています。")};
}

QStringList exerciseSummaryLines(const ExerciseSummary &s)
{
    return {QString::asprintf("運動時間：%2d時間%2d分 ", s.minutes / 60, s.minutes % 60),
            QString::asprintf("運動消費：%.1fKC    ", s.exercise),
            QString::asprintf("基礎代謝：%.1fKC    ", s.basal),
            QString::asprintf("生活消費：%.1fKC", s.living),
            QString::asprintf("一日消費：%.1fKC     ", s.daily),
            QStringLiteral("運動目安：") + exerciseGuideline(s.activity)};
}

}  // namespace dalmain
