#include "dalmain/shell/Calculator.h"

#include "quenkit/owner/Owner.h"

#include <QProcess>
#include <QStandardPaths>

namespace dalmain {

QStringList calculatorPrograms()
{
#if defined(Q_OS_WIN)
    return {QStringLiteral("calc.exe")};
#elif defined(Q_OS_MACOS)
    return {QStringLiteral("/System/Applications/Calculator.app/Contents/MacOS/Calculator"),
            QStringLiteral("/Applications/Calculator.app/Contents/MacOS/Calculator")};
#else
    return {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"), QStringLiteral("mate-calc"),
            QStringLiteral("galculator"), QStringLiteral("qalculate-gtk"), QStringLiteral("xcalc")};
#endif
}

bool startCalculator(quenkit::Owner *owner)
{
    for (const QString &program : calculatorPrograms()) {
        const QString path = QStandardPaths::findExecutable(program);
        if (!path.isEmpty() && QProcess::startDetached(path, {}))
            return true;
    }
    quenkit::inform(owner, QStringLiteral("電卓"),
                    QStringLiteral("電卓のプログラムが見つかりません。\n"
                                   "お使いのパソコンに電卓のプログラムをインストールしてください。"));
    return false;
}

}  // namespace dalmain
