#include "dalmain/shell/Startup.h"

#include "dalmain/shell/DataFolderCheck.h"
#include "dalmain/shell/MainFrame.h"
#include "dalmain/shell/ShellDialogs.h"
#include "dalmain/shell/ShellSettings.h"
#include "quenkit/controls/Bitmaps.h"
#include "quenkit/controls/Fonts.h"

#include <QApplication>
#include <QDir>

namespace dalmain {

void prepareApplication()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    QApplication::setApplicationName(QStringLiteral("Dalmora"));
    QApplication::setApplicationVersion(QStringLiteral(DALMORA_VERSION));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/dalmain/icons/dalmora.svg")));
    QDir::addSearchPath(QString::fromLatin1(quenkit::kBitmapSearchPrefix), QStringLiteral(":/dalmain/bitmaps"));

    // Menus, toolbars and tabs are Japanese: the user-interface face stands for an installed
    // Japanese family where the platform's default font has no kana or kanji.
    quenkit::installFontSubstitutions();
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("MS UI Gothic")});
    QApplication::setFont(font);
}

std::unique_ptr<MainFrame> startDalmain(const StartOptions &options)
{
    prepareApplication();
    if (!verifyDataFolder(options.owner))
        return nullptr;

    if (settings::systemInt(settings::kHaikiritsu, 0) == 0) {
        WasteRateDialog(options.owner).exec();
        settings::setSystemString(settings::kHaikiritsu, QStringLiteral("1"));
    }

    settings::setImeControl(settings::systemInt(settings::kSystemSet4, 1) != 0);

    auto frame = std::make_unique<MainFrame>(options.owner, options.view);
    frame->showWithPlacement();
    return frame;
}

}  // namespace dalmain
