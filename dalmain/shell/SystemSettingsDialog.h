#pragma once

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace quenkit {
class Owner;
}

namespace dalmain {

struct DialogContext;

// IDD_SET_SYSTEM, "システムの設定": the per-user behaviour switches, the standard of new users, the
// first screen at start, and the two folders of the installation store that can be moved (the
// data folder and the food photo folder). Controls keep their ids as object names.
//
// OK ("設定") first checks the folders: an empty or missing folder is refused with its message
// and the focus on its edit, and nothing at all is stored, so that Cancel afterwards still
// leaves every setting as it was. Only then is everything stored; a folder the installation
// store refuses keeps its old value and is reported, and the other settings are stored all the
// same.
class SystemSettingsDialog : public QDialog
{
    Q_OBJECT
public:
    // Asks for a folder: the browser's title, the folder it starts in; an empty text when the
    // user cancels.
    using FolderChooser = std::function<QString(QWidget *parent, const QString &title, const QString &start)>;

    explicit SystemSettingsDialog(quenkit::Owner *owner, QWidget *parent = nullptr);

    // The folder browser of "参照"; the desktop's folder dialog unless replaced.
    void setFolderChooser(FolderChooser chooser) { m_chooser = std::move(chooser); }
    // Runs before a changed data folder is stored, while the old one is still in use; false
    // keeps the dialog open with nothing stored. The view lets the open screen store its work.
    void setBeforeDataFolderChange(std::function<bool()> hook) { m_beforeDataFolderChange = std::move(hook); }

    // The check boxes 305-308, 310, 311.
    QCheckBox *checkBox(int id) const;
    QComboBox *standardList() const { return m_standards; }    // 251
    QComboBox *firstScreenList() const { return m_firstScreen; }  // 252
    QLineEdit *dataFolderEdit() const { return m_dataFolder; }    // 165
    QLineEdit *photoFolderEdit() const { return m_photoFolder; }  // 166
    QPushButton *dataFolderBrowse() const { return m_dataBrowse; }    // 317
    QPushButton *photoFolderBrowse() const { return m_photoBrowse; }  // 318
    QPushButton *columnsButton() const { return m_columns; }          // 3
    QPushButton *okButton() const { return m_ok; }

    // Whether OK stored a new data folder.
    bool dataFolderChanged() const { return m_dataFolderChanged; }

    void accept() override;

private:
    void browse(QLineEdit *edit, const QString &title);
    void linkDateBoxes();
    // The folder typed into edit as it is to be stored; empty after the refusal was shown.
    QString checkedFolder(QLineEdit *edit, const QString &emptyText, const QString &missingText);
    bool storeFolder(const QString &name, const QString &folder, const QString &failureText);

    quenkit::Owner *m_owner;
    bool m_photosInstalled;
    QList<QPair<int, QCheckBox *>> m_boxes;
    QComboBox *m_standards;
    QComboBox *m_firstScreen;
    QLineEdit *m_dataFolder;
    QLineEdit *m_photoFolder;
    QPushButton *m_dataBrowse;
    QPushButton *m_photoBrowse;
    QPushButton *m_columns;
    QPushButton *m_ok;
    FolderChooser m_chooser;
    std::function<bool()> m_beforeDataFolderChange;
    bool m_dataFolderChanged = false;
};

// IDD_MESSAGEVISTA: the system settings need a user who may change the installation's settings.
class MessageVistaDialog : public QDialog
{
    Q_OBJECT
public:
    explicit MessageVistaDialog(QWidget *parent = nullptr);
};

// A folder as the settings keep it: the full path with native separators, ending in one.
// typed is taken relative to the working folder when it is not a full path.
QString folderSetting(const QString &typed);

// Whether the installation store takes a write (the value TEST is written as "VISTA").
bool installationStoreWritable();

// "システムの設定" from the menu: the write test of the installation store, then the dialog. When
// the store cannot be written, IDD_MESSAGEVISTA says so and the settings are not opened. After a
// change of the data folder the view starts again from the user screen with no user open.
void openSystemSettings(const DialogContext &context);

}  // namespace dalmain
