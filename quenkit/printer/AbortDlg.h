#pragma once

#include "quenkit/printer/AbortKind.h"
#include "quenkit/printer/PrinterExport.h"

#include <QDialog>
#include <QPointer>
#include <QString>

class QLabel;
class QPushButton;
class QTimer;

// The progress window of a print job and the cancel flag it shares with the job.
//
// The job creates the window, then asks AbortProc() between its pages and blocks: that lets
// the window's timer and its cancel button run while the job owns the thread, and tells the
// job to stop once the button was pressed. There is one flag for the whole library, as there
// is one print job at a time.
namespace quenkit {

// Clears the cancel flag; a new window does so itself.
QUENKIT_PRINTER_EXPORT void InitAbortFlg();
// Whether the user cancelled the job.
QUENKIT_PRINTER_EXPORT bool GetAbortFlg();
// Runs the events that are waiting (the window's picture and button) unless the job was
// cancelled; true while the job may go on.
QUENKIT_PRINTER_EXPORT bool AbortProc();

// The window itself, modeless. It is a top-level window of its own rather than a child of
// the main window, because the main window is disabled for the job and would disable its
// children with it. While it is open the pop-up month grid of the main window's day picker
// ignores the mouse.
class QUENKIT_PRINTER_EXPORT AbortDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kPictures = 3;
    static constexpr int kPictureMilliseconds = 250;

    // Shows the window for a report of kind (0-5; another number counts as 0) over mainWindow,
    // which may be null.
    AbortDlg(int kind, QWidget *mainWindow);
    ~AbortDlg() override;

    // "運動印刷" and "運動記録を印刷中です・・・" of kind AbortSports, and so on.
    static QString caption(int kind);
    static QString message(int kind);

    QString messageText() const;
    // The printer picture shown now: 0, 1 or 2 ("IDB_QUENPRN1" ... "IDB_QUENPRN3").
    int pictureStep() const { return m_step; }
    QPushButton *cancelButton() const { return m_cancel; }

public slots:
    // The cancel button: the flag is set, the main window enabled again and the window closed.
    void cancelJob();

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void showPicture(int step);
    void releaseMonthGrid();

    QPointer<QWidget> m_mainWindow;
    QLabel *m_message;
    QLabel *m_picture;
    QPushButton *m_cancel;
    QTimer *m_timer;
    int m_step = 0;
    bool m_gridReleased = false;
};

}  // namespace quenkit
