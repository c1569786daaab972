// controls-gallery: shows every control of the library.
//
//     controls-gallery                   opens the window
//     controls-gallery --screenshot F    writes the window to the PNG file F and ends
//
// The gallery keeps its settings (the month grid's position) in a folder of its own that is
// removed at the end, so it never changes the program's settings.

#include "GalleryWindow.h"

#include "quenkit/controls/Fonts.h"
#include "quenkit/registry/SettingsStore.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Write the window to a PNG file and end."),
                                        QStringLiteral("file"));
    parser.addOption(screenshot);
    parser.process(app);

    QTemporaryDir settings;
    quenkit::setSettingsFolderOverride(settings.path());
    quenkit::installFontSubstitutions();

    gallery::GalleryWindow window;
    if (parser.isSet(screenshot)) {
        window.show();
        const QString file = parser.value(screenshot);
        if (!window.grab().save(file, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
        return 0;
    }
    window.show();
    return app.exec();
}
