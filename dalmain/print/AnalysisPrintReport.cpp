#include "dalmain/print/AnalysisPrintReport.h"

#include "dalmain/analysis/AnalysisExport.h"
#include "dalmain/analysis/EnergyBalance.h"
#include "dalmain/analysis/Sufficiency.h"
#include "dalmain/master/FixedText.h"
#include "dalmain/master/NutrientDisplay.h"
#include "dalmain/print/PageSetup.h"
#include "dalmain/print/ReportParts.h"
#include "dalmain/screens/analyze/AnalysisCharts.h"
#include "dalmain/shell/ShellSettings.h"
#include "dalmain/userdata/MemoFile.h"

#include "quenkit/controls/Fonts.h"
#include "quenkit/dates/Dates.h"
#include "quenkit/registry/SettingsStore.h"
#include "quenkit/text/ShiftJis.h"

#include <QPainter>
#include <QTextLayout>

#include <algorithm>

namespace dalmain {

namespace {

// The report's faces. The gothic and mincho families installed in place of the faces the
// screens name give some common kanji ("大", "水", "目") the glyphs of the Kangxi radicals, and
// the PDF's text layer then holds the radicals, so that a search of the filed report for a word
// fails; the report face keeps them apart. Headings are set bold.
QFont headingFont(int height, bool bold = true)
{
    return ReportCanvas::textFont(height, bold ? quenkit::FontBold : 0);
}

QFont textFont(int height)
{
    return ReportCanvas::textFont(height);
}

// The charts are the screen's, painted with a screen font of this many pixels.
constexpr int kChartFontPixels = 12;
// A radar chart's side and the history graph's height, in screen pixels.
constexpr int kRadarPixels = 320;
constexpr int kHistoryPixels = 260;

using Routine = std::function<void(QPainter &, const QRect &)>;

// The metrics of the charts' font, for the routines that measure what they paint.
QFontMetrics chartMetrics()
{
    return QFontMetrics(ReportCanvas::textFont(kChartFontPixels));
}

// A chart of heightPixels screen pixels across the page, under a heading; a chart taller than
// a page is printed smaller, to fit one.
bool paintChartSection(ReportCanvas &canvas, const QString &title, int heightPixels, const Routine &routine,
                       bool square = false);

QColor rgb(quint32 value)
{
    return QColor::fromRgb(value);
}

// The period's date as it names a filed copy: "2024年05月10日(金)", "2024年05月", "2024年".
QString periodText(AnalysisPeriod period, const QByteArray &key)
{
    switch (period) {
    case AnalysisPeriod::Day: return reportDayText(key);
    case AnalysisPeriod::Month: return QStringLiteral("%1年%2月").arg(QString::fromLatin1(key.left(4)), QString::fromLatin1(key.mid(4, 2)));
    case AnalysisPeriod::Year: return QStringLiteral("%1年").arg(QString::fromLatin1(key.left(4)));
    case AnalysisPeriod::Selection: break;
    }
    return periodName(AnalysisPeriod::Selection) + QStringLiteral("分析");
}

// A section's heading in the gothic face over a rule, kept on the page with the lines under it
// (body, in report units).
bool beginSection(ReportCanvas &canvas, const QString &title, int body)
{
    const int line = canvas.cell().height;
    if (!canvas.ensureRoom(line * 2 + body))
        return false;
    QPainter &p = canvas.painter();
    p.save();
    p.setPen(Qt::black);
    p.setFont(headingFont(line * 9 / 10));
    p.drawText(QRect(0, canvas.y(), canvas.width(), line * 3 / 2), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("■ ") + title);
    p.setPen(QPen(Qt::black, 15));
    p.drawLine(0, canvas.y() + line * 3 / 2, canvas.width(), canvas.y() + line * 3 / 2);
    p.restore();
    canvas.advance(line * 2);
    return true;
}

// The space left under a section.
void endSection(ReportCanvas &canvas)
{
    canvas.advance(canvas.cell().height);
}

// One line of text pieces, each at its x (cells from the left) and in its colour.
struct Piece {
    int cell;
    QString text;
    QColor color = Qt::black;
    Qt::Alignment align = Qt::AlignLeft;
    int cells = 0;   // the width a right-aligned or centred piece is aligned in
};

void paintPieces(ReportCanvas &canvas, const QList<Piece> &pieces, const QFont &font)
{
    const int line = canvas.cell().height;
    const int cw = canvas.cell().width;
    QPainter &p = canvas.painter();
    p.save();
    p.setFont(font);
    for (const Piece &piece : pieces) {
        p.setPen(piece.color);
        const int width = piece.cells > 0 ? piece.cells * cw : canvas.width() - piece.cell * cw;
        p.drawText(QRect(piece.cell * cw, canvas.y(), width, line), piece.align | Qt::AlignVCenter, piece.text);
    }
    p.restore();
    canvas.advance(line);
}

// Lines of figures: title, value right-aligned, unit and a remark after it.
bool paintFigures(ReportCanvas &canvas, const QList<QStringList> &rows)
{
    const QFont font = textFont(canvas.cell().height * 4 / 5);
    for (const QStringList &r : rows) {
        if (!canvas.ensureRoom(canvas.cell().height))
            return false;
        paintPieces(canvas,
                    {{2, r.value(0)},
                     {14, r.value(1), Qt::black, Qt::AlignRight, 12},
                     {27, r.value(2)},
                     {33, r.value(3)}},
                    font);
    }
    return true;
}

// Wraps text into the page's width, line by line, so that a long comment runs on to the next
// page; false when cancelled.
bool paintWrapped(ReportCanvas &canvas, const QString &text, const QFont &font, int indent)
{
    const int line = canvas.cell().height;
    QString body = text;
    body.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    for (const QString &paragraph : body.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font, canvas.painter().device());
        layout.beginLayout();
        QList<QString> lines;
        for (QTextLine l = layout.createLine(); l.isValid(); l = layout.createLine()) {
            l.setLineWidth(canvas.width() - indent);
            lines.append(paragraph.mid(l.textStart(), l.textLength()));
        }
        layout.endLayout();
        if (lines.isEmpty())
            lines.append(QString());
        for (const QString &l : lines) {
            if (!canvas.ensureRoom(line))
                return false;
            QPainter &p = canvas.painter();
            p.save();
            p.setPen(Qt::black);
            p.setFont(font);
            p.drawText(QRect(indent, canvas.y(), canvas.width() - indent, line), Qt::AlignLeft | Qt::AlignVCenter, l);
            p.restore();
            canvas.advance(line);
        }
    }
    return true;
}

// The fields of each line of a section in the comma kind: every field quoted, separated by
// commas.
QList<QStringList> commaRows(const QString &text)
{
    QList<QStringList> rows;
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    for (const QString &line : t.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (line.size() < 2 || !line.startsWith(QLatin1Char('"')) || !line.endsWith(QLatin1Char('"'))) {
            rows.append({line});
            continue;
        }
        rows.append(line.mid(1, line.size() - 2).split(QStringLiteral("\",\"")));
    }
    return rows;
}

// A table of the analysis text (its first row the header) as a ruled report table, the first
// column nameCells wide and the others sharing the rest.
bool paintTextTable(ReportCanvas &canvas, const QList<QStringList> &rows, int nameCells)
{
    if (rows.isEmpty())
        return true;
    const QStringList &header = rows.first();
    const int lineCells = canvas.width() / canvas.cell().width;
    const int others = std::max<int>(1, header.size() - 1);
    const int each = std::max(5, (lineCells - nameCells) / others);
    QList<ReportColumn> columns{{header.value(0), nameCells, Qt::AlignLeft}};
    for (int i = 1; i < header.size(); ++i)
        columns.append({header[i], i + 1 == header.size() ? 0 : each, Qt::AlignRight});
    ReportTable table(canvas, columns);
    if (!table.begin())
        return false;
    for (qsizetype i = 1; i < rows.size(); ++i) {
        if (!table.row(rows[i]))
            return false;
    }
    return true;
}

bool paintChartSection(ReportCanvas &canvas, const QString &title, int heightPixels, const Routine &routine,
                       bool square)
{
    const int line = canvas.cell().height;
    // A page below the header and the heading.
    const int page = canvas.room() + canvas.y() - line * 5;
    const int units = std::min(kPrintedPixelUnits, std::max(1, page / std::max(1, heightPixels)));
    const int height = heightPixels * units;
    if (!beginSection(canvas, title, height))
        return false;
    const int width = square ? std::min(canvas.width(), height) : canvas.width();
    paintScreenRoutine(canvas.painter(), QRect((canvas.width() - width) / 2, canvas.y(), width, height), kChartFontPixels,
                       routine, units);
    canvas.advance(height);
    endSection(canvas);
    return true;
}

}  // namespace

QString analysisPrintHeading(AnalysisPeriod period, const QByteArray &periodKey)
{
    static const char *const weekdays[] = {"月", "火", "水", "木", "金", "土", "日"};
    const QString kind = QStringLiteral("[%1分析] ").arg(periodName(period));
    const QString key = QString::fromLatin1(periodKey);
    const int year = key.left(4).toInt();
    const int month = key.mid(4, 2).toInt();
    const int day = key.mid(6, 2).toInt();
    switch (period) {
    case AnalysisPeriod::Day: {
        const QDate date(year, month, day);
        const char *weekday = date.isValid() ? weekdays[date.dayOfWeek() - 1] : "";
        return kind + QString::asprintf("分析日付[%4d/%2d/%2d(%s)]", year, month, day, weekday);
    }
    case AnalysisPeriod::Month: return kind + QString::asprintf("分析日付[%4d/%2d]", year, month);
    case AnalysisPeriod::Year: return kind + QString::asprintf("分析日付[%4d]", year);
    case AnalysisPeriod::Selection: break;
    }
    return kind.trimmed();
}

QString analysisPrintPageText(int page)
{
    return QString::asprintf("Page.%3d", page);
}

QString analysisPrintDateText(const QDate &date)
{
    return QString::asprintf("Date.%4u/%02u/%02u", unsigned(date.year()), unsigned(date.month()), unsigned(date.day()));
}

AnalysisPrintReport::AnalysisPrintReport(const AnalysisReport &report, const AnalysisPrintOptions &options,
                                         const QString &comment, const QDate &printDate, bool rateMode)
    : m_report(report), m_result(report.result ? *report.result : AnalysisResult{}),
      m_standard(report.standard ? *report.standard : IntakeStandard{}),
      m_user(report.user ? *report.user : UserProfile{}), m_options(options), m_comment(comment),
      m_printDate(printDate), m_rateMode(rateMode)
{
    m_report.result = &m_result;
    m_report.standard = &m_standard;
    m_report.user = &m_user;
}

AnalysisPrintReport::AnalysisPrintReport(const AnalysisPrintReport &other)
    : AnalysisPrintReport(other.m_report, other.m_options, other.m_comment, other.m_printDate, other.m_rateMode)
{
}

QString AnalysisPrintReport::dateText() const
{
    return periodText(m_report.period, m_result.periodKey);
}

QPageLayout::Orientation AnalysisPrintReport::orientation() const
{
    if (m_options.twoColumns)
        return QPageLayout::Landscape;
    return readStoredPaper(kAnalyzePrintSection, QPageLayout::Portrait).orientation;
}

std::optional<QPageSize> AnalysisPrintReport::paperSize() const
{
    return readStoredPaper(kAnalyzePrintSection, QPageLayout::Portrait).size;
}

bool AnalysisPrintReport::prints(int box) const
{
    if (!m_options.box(box))
        return false;
    switch (box) {
    case PrintHistory: return m_report.period != AnalysisPeriod::Year;
    case PrintExchangeTable:
    case PrintExchangeRadar: return m_report.exchange.has_value();
    case PrintGroupTable:
    case PrintGroupRadar: return m_report.groups.has_value();
    case PrintComment: return !m_comment.trimmed().isEmpty();
    default: return true;
    }
}

int AnalysisPrintReport::paintPageHeader(ReportCanvas &canvas) const
{
    QPainter &p = canvas.painter();
    const int line = canvas.cell().height;
    const QRect row(0, 0, canvas.width(), line * 3 / 2);
    p.setPen(Qt::black);
    p.setFont(headingFont(line * 4 / 5, false));
    if (m_options.box(PrintPeriodInHeader))
        p.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, analysisPrintHeading(m_report.period, m_result.periodKey));
    QString right = analysisPrintPageText(canvas.pageNumber());
    if (m_options.box(PrintDateInHeader))
        right = analysisPrintDateText(m_printDate) + QStringLiteral("    ") + right;
    p.drawText(row, Qt::AlignRight | Qt::AlignVCenter, right);
    p.setPen(QPen(Qt::black, 20));
    p.drawLine(0, line * 3 / 2 + 40, canvas.width(), line * 3 / 2 + 40);
    return line * 5 / 2;
}

QList<QStringList> AnalysisPrintReport::sectionRows(ReportSection section) const
{
    return commaRows(analysisSection(m_report, section, TextKind::Comma, TextTarget::Copy));
}

bool AnalysisPrintReport::paint(ReportCanvas &canvas) const
{
    struct Step {
        int box;
        std::function<bool()> run;
    };
    const Step steps[] = {
        {PrintUserInfo, [&] { return userInfo(canvas); }},
        {PrintFoodCount, [&] { return foodCount(canvas); }},
        {PrintMealEnergyRatio, [&] { return mealEnergyRatio(canvas); }},
        {PrintEnergyBalance, [&] { return energyBalance(canvas); }},
        {PrintBodyWeight, [&] { return bodyWeight(canvas); }},
        {PrintBodyFat, [&] { return bodyFat(canvas); }},
        {PrintNutrients, [&] { return nutrients(canvas); }},
        {PrintSufficiencyRadar, [&] { return sufficiencyRadar(canvas); }},
        {PrintPfc, [&] { return pfc(canvas); }},
        {PrintExchangeTable, [&] { return groupTable(canvas, true); }},
        {PrintGroupTable, [&] { return groupTable(canvas, false); }},
        {PrintExchangeRadar, [&] { return groupRadar(canvas, true); }},
        {PrintGroupRadar, [&] { return groupRadar(canvas, false); }},
        {PrintHistory, [&] { return history(canvas); }},
        {PrintComment, [&] { return comment(canvas); }},
    };
    for (const Step &step : steps) {
        if (prints(step.box) && !step.run())
            return false;
    }
    return true;
}

bool AnalysisPrintReport::userInfo(ReportCanvas &canvas) const
{
    QMap<QString, QStringList> fields;
    for (const QStringList &r : sectionRows(ReportSection::UserInfo))
        fields.insert(r.value(0), r.mid(1));
    const int line = canvas.cell().height;
    if (!beginSection(canvas, QStringLiteral("ユーザー情報"), line * 3))
        return false;
    const QFont label = headingFont(line * 4 / 5, false);
    const QFont value = textFont(line * 4 / 5);
    const QString birthday = fields.value(QStringLiteral("誕生日")).join(QLatin1Char('/'));
    const QString height = fields.value(QStringLiteral("身長")).value(0);
    const QList<QList<Piece>> rows = {
        {{2, QStringLiteral("フリガナ")}, {12, fields.value(QStringLiteral("フリガナ")).value(0)},
         {46, QStringLiteral("誕 生 日")}, {56, birthday}},
        {{2, QStringLiteral("氏　　名")}, {12, fields.value(QStringLiteral("氏名")).value(0)},
         {46, QStringLiteral("レベル")}, {56, fields.value(QStringLiteral("身体活動レベル")).value(0)}},
        // The height stands in the blank of its label.
        {{2, QStringLiteral("身長") + height.rightJustified(8) + QStringLiteral(" cm")}},
    };
    for (const QList<Piece> &row : rows) {
        QPainter &p = canvas.painter();
        p.save();
        for (const Piece &piece : row) {
            const bool isLabel = piece.cell == 2 || piece.cell == 46;
            p.setFont(isLabel ? label : value);
            p.setPen(Qt::black);
            p.drawText(QRect(piece.cell * canvas.cell().width, canvas.y(), canvas.width(), line),
                       Qt::AlignLeft | Qt::AlignVCenter, piece.text);
        }
        p.restore();
        canvas.advance(line);
    }
    endSection(canvas);
    return true;
}

bool AnalysisPrintReport::foodCount(ReportCanvas &canvas) const
{
    const int line = canvas.cell().height;
    if (!beginSection(canvas, QStringLiteral("１日の食品数"), line * 4))
        return false;
    if (!paintTextTable(canvas, sectionRows(ReportSection::FoodCount), 20))
        return false;
    if (!canvas.ensureRoom(line))
        return false;
    paintPieces(canvas, {{2, QStringLiteral("（一日の目安は３０食品です）")}}, textFont(line * 4 / 5));
    endSection(canvas);
    return true;
}

bool AnalysisPrintReport::mealEnergyRatio(ReportCanvas &canvas) const
{
    QList<QStringList> rows = sectionRows(ReportSection::MealEnergyRatio);
    // The shares are percentages of the day's energy.
    for (qsizetype i = 1; i < rows.size(); ++i) {
        for (qsizetype f = 1; f < rows[i].size(); ++f)
            rows[i][f] += QLatin1Char('%');
    }
    if (!beginSection(canvas, QStringLiteral("食事区分のエネルギー比"), canvas.cell().height * 3))
        return false;
    if (!paintTextTable(canvas, rows, 20))
        return false;
    endSection(canvas);
    return true;
}

bool AnalysisPrintReport::energyBalance(ReportCanvas &canvas) const
{
    QList<QStringList> rows = sectionRows(ReportSection::EnergyBalance);
    for (QStringList &r : rows) {
        if (r.value(0) == QStringLiteral("運動消費"))
            r << exerciseTimeText(m_result.energyBalance.exerciseMinutes);
        else if (r.value(0) == QStringLiteral("記録日数"))
            r << QStringLiteral("日");
    }
    const int line = canvas.cell().height;
    if (!beginSection(canvas, QStringLiteral("運動とエネルギー消費"), line * (rows.size() + 1)))
        return false;
    if (!paintFigures(canvas, rows) || !canvas.ensureRoom(line))
        return false;
    paintPieces(canvas, {{2, QStringLiteral("※一日消費は運動基礎代謝を除く")}}, textFont(line * 4 / 5));
    endSection(canvas);
    return true;
}

bool AnalysisPrintReport::bodyWeight(ReportCanvas &canvas) const
{
    const EnergyBalance &b = m_result.energyBalance;
    const QString weight =
        b.bodyWeight < 0 ? QStringLiteral("*****") : QString::fromStdString(fixedText(b.bodyWeight, 2));
    bool ok = false;
    const double height = m_user.height.trimmed().toDouble(&ok);
    const QString standard = ok && height > 0 ? standardWeightText(height) : QString();
    if (!beginSection(canvas, QStringLiteral("体重"), canvas.cell().height))
        return false;
    if (!paintFigures(canvas, {{QStringLiteral("体重"), weight, QStringLiteral("kg"), standard + weightRecordDateText(b)}}))
        return false;
    endSection(canvas);
    return true;
}

bool AnalysisPrintReport::bodyFat(ReportCanvas &canvas) const
{
    QList<QStringList> rows = sectionRows(ReportSection::BodyFat);
    for (QStringList &r : rows)
        r << standardBodyFatText(m_user.sex);
    if (!beginSection(canvas, QStringLiteral("体脂肪率"), canvas.cell().height))
        return false;
    if (!paintFigures(canvas, rows))
        return false;
    endSection(canvas);
    return true;
}

bool AnalysisPrintReport::nutrients(ReportCanvas &canvas) const
{
    const int line = canvas.cell().height;
    const bool mono = m_options.monochrome;
    if (!beginSection(canvas, QStringLiteral("栄養バランス"), line * 3))
        return false;
    const QFont heading = headingFont(line * 4 / 5, false);
    const QFont font = textFont(line * 4 / 5);
    paintPieces(canvas, {{2, QStringLiteral("日本人の食事摂取基準(2010年版)")}}, font);
    // The column line is one text set on the grid, a cell per Shift-JIS byte, so that the
    // columns of the rows below stand under its words.
    const auto columns = [&] {
        QList<Piece> cells;
        int cell = 2;
        for (QChar c : QStringLiteral("栄養素     単位     基準値    摂取量   差    判定")) {
            const int width = quenkit::sjisWidth(QString(c));
            if (!c.isSpace())
                cells.append({cell, QString(c), Qt::black, Qt::AlignHCenter, width});
            cell += width;
        }
        paintPieces(canvas, cells, heading);
    };
    columns();
    int shownPage = canvas.pageNumber();
    for (int n = 0; n < kNutrientCount; ++n) {
        if (!m_report.nutrientRows[static_cast<size_t>(n)])
            continue;
        if (!canvas.ensureRoom(line))
            return false;
        if (canvas.pageNumber() != shownPage) {
            columns();
            shownPage = canvas.pageNumber();
        }
        const IntakeBound &bound = m_standard[n];
        const double intake = m_result.dayTotal[static_cast<size_t>(n)];
        const double rate = m_result.sufficiencyRate[static_cast<size_t>(n)];
        QString reference, difference;
        Judgement judgement;
        if (bound.isSet()) {
            reference = formatReference(n, bound.lower, bound.upper).trimmed();
            const ShownDifference shown = shownDifference(n, intake, bound.lower, bound.upper, rate);
            difference = shown.text.trimmed();
            judgement = analysisJudgement(rate, shown.value, mono);
        }
        const QColor color = rgb(toneRgb(judgement.tone, mono));
        QList<Piece> pieces = {{2, nutrientDisplayName(n), color},
                               {13, nutrientDisplayUnit(n), color},
                               {15, reference, color, Qt::AlignRight, 14},
                               {29, formatIntake(n, intake).trimmed(), color, Qt::AlignRight, 9},
                               {37, difference, color, Qt::AlignRight, 7}};
        // "！" is drawn several times side by side to stand out as bold.
        for (int s = 0; s < judgement.strokes && !judgement.symbol.isEmpty(); ++s) {
            QPainter &p = canvas.painter();
            p.save();
            p.translate(s * 8, 0);
            p.setFont(font);
            p.setPen(color);
            p.drawText(QRect(47 * canvas.cell().width, canvas.y(), 4 * canvas.cell().width, line), Qt::AlignCenter,
                       judgement.symbol);
            p.restore();
        }
        paintPieces(canvas, pieces, font);
    }
    endSection(canvas);
    // The bars as the 分析グラフ shows them, with the legends of the judgements and of the
    // reference band under them.
    const int width = canvas.width() / kPrintedPixelUnits;
    const int height = nutrientBarsHeight(m_report, chartMetrics(), width) + kChartFontPixels;
    return paintChartSection(canvas, QStringLiteral("栄養バランスグラフ"), height,
                             [this, mono](QPainter &p, const QRect &r) { paintNutrientBars(p, r, m_report, mono, m_rateMode); });
}

bool AnalysisPrintReport::sufficiencyRadar(ReportCanvas &canvas) const
{
    return paintChartSection(canvas, QStringLiteral("充足確率レーダーチャート"), kRadarPixels,
                             [this](QPainter &p, const QRect &r) { paintSufficiencyRadar(p, r, m_report, m_options.monochrome); },
                             true);
}

bool AnalysisPrintReport::pfc(ReportCanvas &canvas) const
{
    const int line = canvas.cell().height;
    const auto &percent = m_result.pfc.percent;
    const QList<QString> lines = {
        QString::asprintf("Ｐたんぱく質:%5.1f%%", percent[PfcProtein]),
        QString::asprintf("Ｆ脂質      :%5.1f%%", percent[PfcFat]),
        QString::asprintf("Ｃ炭水化物  :%5.1f%%", percent[PfcCarbohydrate]),
        pfcTargetText(pfcTargets()),
        QStringLiteral("※Ｐ:たんぱく質 Ｆ:脂質 Ｃ:炭水化物"),
    };
    // The figures on the left, the triangle beside them.
    const int chart = kRadarPixels * 3 / 4 * kPrintedPixelUnits;
    if (!beginSection(canvas, QStringLiteral("３大栄養素バランス"), chart))
        return false;
    const int top = canvas.y();
    const QFont font = textFont(line * 4 / 5);
    canvas.advance(line);
    for (const QString &l : lines)
        paintPieces(canvas, {{2, l}}, font);
    const int left = canvas.width() / 2;
    paintScreenRoutine(canvas.painter(), QRect(left, top, std::min(chart, canvas.width() - left), chart), kChartFontPixels,
                       [this](QPainter &p, const QRect &r) {
                           paintPfcChart(p, r, m_result.pfc, pfcTargets(), m_options.monochrome);
                       });
    canvas.advance(std::max(0, top + chart - canvas.y()));
    endSection(canvas);
    return true;
}

bool AnalysisPrintReport::groupTable(ReportCanvas &canvas, bool exchange) const
{
    const std::optional<GroupTableText> &table = exchange ? m_report.exchange : m_report.groups;
    if (!table)
        return true;
    const int height = groupChartHeight(*table, chartMetrics()) + kChartFontPixels;
    return paintChartSection(canvas, exchange ? QStringLiteral("食品交換表") : QStringLiteral("食品群別表"), height,
                             [this, exchange, &table](QPainter &p, const QRect &r) {
                                 paintGroupChart(p, r, m_result, *table, exchange, m_options.monochrome);
                             });
}

bool AnalysisPrintReport::groupRadar(ReportCanvas &canvas, bool exchange) const
{
    const std::optional<GroupTableText> &table = exchange ? m_report.exchange : m_report.groups;
    if (!table)
        return true;
    return paintChartSection(canvas,
                             exchange ? QStringLiteral("食品交換表レーダーチャート") : QStringLiteral("食品群別表レーダーチャート"),
                             kRadarPixels,
                             [this, exchange, &table](QPainter &p, const QRect &r) {
                                 paintGroupRadar(p, r, m_result, *table, exchange, m_options.monochrome);
                             },
                             true);
}

bool AnalysisPrintReport::history(ReportCanvas &canvas) const
{
    // The screen scrolls along a long history; the page prints it in graphs one under another.
    const int width = canvas.width() / kPrintedPixelUnits;
    const int step = historyEntriesVisible(QRect(0, 0, width, kHistoryPixels), chartMetrics());
    const int entries = static_cast<int>(m_result.history.size());
    for (int first = 0; first == 0 || first < entries; first += step) {
        const QString title = first == 0 ? QStringLiteral("ｴﾈﾙｷﾞｰ・運動・体重の履歴")
                                         : QStringLiteral("ｴﾈﾙｷﾞｰ・運動・体重の履歴（続き）");
        if (!paintChartSection(canvas, title, kHistoryPixels, [this, first](QPainter &p, const QRect &r) {
                paintHistoryGraph(p, r, m_result, first, m_options.monochrome);
            }))
            return false;
    }
    return true;
}

bool AnalysisPrintReport::comment(ReportCanvas &canvas) const
{
    const int line = canvas.cell().height;
    if (!beginSection(canvas, QStringLiteral("コメント"), line))
        return false;
    if (!paintWrapped(canvas, m_comment, textFont(line * 4 / 5), canvas.cell().width * 2))
        return false;
    endSection(canvas);
    return true;
}

AnalysisPrintReport makeAnalysisPrintReport(const AnalysisReport &report, const AnalysisPrintOptions &options)
{
    AnalysisReport r = report;
    if (options.shownNutrientsOnly && r.standard)
        r.nutrientRows = buildNutrientSets(*r.standard, readNutrientSelection()).shownAndJudged;
    else
        r.nutrientRows.fill(true);
    const QString comment = r.user && r.result
        ? readAnalysisComment(static_cast<int>(r.user->number), r.period, r.result->periodKey)
        : QString();
    const bool rateMode = quenkit::GetRegistryInt(kAnalyzeSection, settings::kAlzKijyun, 0) == 1;
    return AnalysisPrintReport(r, options, comment, quenkit::today(), rateMode);
}

}  // namespace dalmain
