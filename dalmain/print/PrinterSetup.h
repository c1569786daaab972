#pragma once

#include <functional>

class QPrinter;
class QWidget;

namespace quenkit {
class Owner;
}

// The printer of the whole run: every job prints on it and the printer set-up command
// ("プリンタの設定") changes it. Before each use it follows the system's default printer.
namespace dalmain {

QPrinter &processPrinter();

// Whether a printer is installed; replaceable so the printer-less path can be walked anywhere
// (an empty check puts the system's answer back).
void setPrinterCheck(std::function<bool()> check);
bool printerInstalled();

// Follows the system's default printer: 1 when the process printer became another printer,
// 0 when it stays, -1 (after "印刷可能なプリンタが設定されていません。" through owner) when
// there is no printer to print on.
int refreshPrinter(quenkit::Owner *owner);

// Shows the page set-up of printer; true when the user accepted a choice. The system's set-up
// dialog unless a chooser is set (tests set one; an empty chooser puts the dialog back).
using PageSetupChooser = std::function<bool(QPrinter &printer, QWidget *parent)>;
void setPageSetupChooser(PageSetupChooser chooser);

// The printer set-up command on screen (the shell's screen index). On the menu and analysis
// screens the set-up starts from that report's stored paper, and the choice is stored for
// the report while the printer keeps the paper it had; elsewhere the choice stays on the
// printer. The day picker's month grid ignores the mouse meanwhile.
void runPrinterSetup(quenkit::Owner *owner, QWidget *parent, int screen);

}  // namespace dalmain
