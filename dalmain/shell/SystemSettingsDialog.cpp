#include "dalmain/shell/SystemSettingsDialog.h"

#include "dalmain/master/FoodTable.h"
#include "dalmain/master/ReferenceIntakeStandards.h"
#include "dalmain/screens/menu/NutrientColumnsDialog.h"
#include "dalmain/shell/DalmainView.h"
#include "dalmain/shell/DialogRegistry.h"
#include "dalmain/shell/HelpWindow.h"
#include "dalmain/shell/ShellSettings.h"
#include "quenkit/owner/Owner.h"
#include "quenkit/registry/SettingsStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dalmain {

namespace {

const QString kFolderCaption = QStringLiteral("データフォルダについて");
const QString kStoreFailedCaption = QStringLiteral("フォルダの設定に失敗しました。");
const QString kNoPhotos = QStringLiteral("※食品写真がｲﾝｽﾄｰﾙされていません。");

// The check boxes, top to bottom: id, text, value and its default.
struct BoxInfo {
    int id;
    const char *text;
    const QString &value;
    int byDefault;
};
const BoxInfo kBoxes[] = {
    {305, "廃棄率の計算を行う", settings::kSystemSet1, 1},
    {306, "各処理の日付は、前回編集した日付", settings::kSystemSet2, 0},
    {310, "各処理の日付を連動する", settings::kSystemSet6, 1},
    {307, "終了時のユーザー情報を起動時に読み込む", settings::kSystemSet3, 1},
    {308, "漢字入力の制御を行う", settings::kSystemSet4, 1},
    {311, "終了時に確認画面を表示しない", settings::kSystemSet7, 0},
};
constexpr int kLastEditedDateBox = 306;
constexpr int kSharedDateBox = 310;

const char *const kFirstScreens[] = {"最初にユーザー情報の画面を開く", "最初に献立記録の画面を開く",
                                     "最初に運動記録の画面を開く",     "最初に体重記録の画面を開く",
                                     "最初に分析の画面を開く",         "前回終了時の画面を開く"};

QString chooseFolder(QWidget *parent, const QString &title, const QString &start)
{
    return QFileDialog::getExistingDirectory(parent, title, start);
}

QPushButton *button(const QString &text, int id, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QString::number(id));
    b->setAutoDefault(false);
    return b;
}

}  // namespace

QString folderSetting(const QString &typed)
{
    const QString trimmed = typed.trimmed();
    if (trimmed.isEmpty())
        return QString();
    QString path = QDir::cleanPath(QFileInfo(QDir::fromNativeSeparators(trimmed)).absoluteFilePath());
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return QDir::toNativeSeparators(path);
}

SystemSettingsDialog::SystemSettingsDialog(quenkit::Owner *owner, QWidget *parent)
    : QDialog(parent)
    , m_owner(owner)
    , m_photosInstalled(quenkit::GetUserRegistryInt(settings::kFoodPic, 0) != 0)
    , m_standards(new QComboBox(this))
    , m_firstScreen(new QComboBox(this))
    , m_dataFolder(new QLineEdit(this))
    , m_photoFolder(new QLineEdit(this))
    , m_dataBrowse(button(QStringLiteral("参照"), 317, this))
    , m_photoBrowse(button(QStringLiteral("参照"), 318, this))
    , m_columns(button(QStringLiteral("献立記録の栄養素設定"), 3, this))
    , m_ok(button(QStringLiteral("設定"), 1, this))
    , m_chooser(chooseFolder)
{
    setObjectName(QStringLiteral("IDD_SET_SYSTEM"));
    setWindowTitle(QStringLiteral("システムの設定"));

    auto *behaviour = new QGroupBox(QStringLiteral("動作"), this);
    auto *boxes = new QVBoxLayout(behaviour);
    for (const BoxInfo &b : kBoxes) {
        auto *box = new QCheckBox(QString::fromUtf8(b.text), behaviour);
        box->setObjectName(QString::number(b.id));
        box->setChecked(settings::systemInt(b.value, b.byDefault) != 0);
        boxes->addWidget(box);
        m_boxes.append({b.id, box});
    }
    linkDateBoxes();

    m_standards->setObjectName(QStringLiteral("251"));
    const QStringList choices = standardChoices();
    m_standards->addItems(choices);
    m_standards->setCurrentIndex(defaultStandardChoice(choices));
    m_firstScreen->setObjectName(QStringLiteral("252"));
    for (const char *text : kFirstScreens)
        m_firstScreen->addItem(QString::fromUtf8(text));
    const int first = settings::systemInt(settings::kKidou, 0);
    m_firstScreen->setCurrentIndex(first >= 0 && first < m_firstScreen->count() ? first : 0);
    auto *start = new QGroupBox(QStringLiteral("起動"), this);
    auto *startForm = new QFormLayout(start);
    startForm->addRow(QStringLiteral("標準の基準値"), m_standards);
    startForm->addRow(QStringLiteral("起動時の初期画面"), m_firstScreen);

    m_dataFolder->setObjectName(QStringLiteral("165"));
    m_dataFolder->setText(settings::installationString(settings::kDataDir2));
    m_photoFolder->setObjectName(QStringLiteral("166"));
    if (m_photosInstalled) {
        m_photoFolder->setText(settings::installationString(settings::kDataDir3));
    } else {
        m_photoFolder->setText(kNoPhotos);
        m_photoFolder->setReadOnly(true);
        m_photoBrowse->setEnabled(false);
    }
    for (QLineEdit *edit : {m_dataFolder, m_photoFolder})
        edit->setMinimumWidth(320);
    auto *folders = new QGroupBox(QStringLiteral("フォルダ"), this);
    auto *folderGrid = new QGridLayout(folders);
    folderGrid->addWidget(new QLabel(QStringLiteral("システムデータ"), folders), 0, 0);
    folderGrid->addWidget(m_dataFolder, 0, 1);
    folderGrid->addWidget(m_dataBrowse, 0, 2);
    folderGrid->addWidget(new QLabel(QStringLiteral("食品写真"), folders), 1, 0);
    folderGrid->addWidget(m_photoFolder, 1, 1);
    folderGrid->addWidget(m_photoBrowse, 1, 2);

    auto *help = button(QStringLiteral("ヘルプ"), 1000, this);
    auto *cancel = button(QStringLiteral("キャンセル"), 2, this);
    m_ok->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_columns);
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(behaviour);
    layout->addWidget(start);
    layout->addWidget(folders);
    layout->addLayout(buttons);

    connect(m_dataBrowse, &QPushButton::clicked, this, [this] {
        browse(m_dataFolder, QStringLiteral("システムデータのフォルダを選択してください。"));
    });
    connect(m_photoBrowse, &QPushButton::clicked, this, [this] {
        browse(m_photoFolder, QStringLiteral("食品写真のフォルダを選択してください。"));
    });
    connect(m_columns, &QPushButton::clicked, this, [this] { NutrientColumnsDialog(menuColumnSet(), this).exec(); });
    connect(help, &QPushButton::clicked, this, [this] { showHelp(QStringLiteral("guide/option/system"), this); });
    connect(m_ok, &QPushButton::clicked, this, &SystemSettingsDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QCheckBox *SystemSettingsDialog::checkBox(int id) const
{
    for (const auto &[boxId, box] : m_boxes) {
        if (boxId == id)
            return box;
    }
    return nullptr;
}

void SystemSettingsDialog::linkDateBoxes()
{
    // A screen that opens on the date it was last edited cannot also take the shared date.
    QCheckBox *lastEdited = checkBox(kLastEditedDateBox);
    QCheckBox *shared = checkBox(kSharedDateBox);
    auto follow = [shared](bool lastEditedOn) {
        if (lastEditedOn)
            shared->setChecked(false);
        shared->setEnabled(!lastEditedOn);
    };
    follow(lastEdited->isChecked());
    connect(lastEdited, &QCheckBox::toggled, this, follow);
}

void SystemSettingsDialog::browse(QLineEdit *edit, const QString &title)
{
    const QString start = QFileInfo(QDir::fromNativeSeparators(edit->text().trimmed())).isDir() ? edit->text().trimmed()
                                                                                                : QDir::homePath();
    const QString chosen = m_chooser(this, title, start);
    if (!chosen.isEmpty())
        edit->setText(folderSetting(chosen));
}

QString SystemSettingsDialog::checkedFolder(QLineEdit *edit, const QString &emptyText, const QString &missingText)
{
    const QString folder = folderSetting(edit->text());
    // The folder is looked at, never created: a test by creating and removing it again could
    // remove an empty folder the user has just made for the purpose.
    const QString refusal = folder.isEmpty() ? emptyText
                          : QFileInfo(QDir::fromNativeSeparators(folder)).isDir() ? QString()
                                                                                   : missingText;
    if (refusal.isEmpty())
        return folder;
    quenkit::inform(m_owner, kFolderCaption, refusal);
    edit->setFocus();
    edit->selectAll();
    return QString();
}

bool SystemSettingsDialog::storeFolder(const QString &name, const QString &folder, const QString &failureText)
{
    if (folder == settings::installationString(name))
        return false;
    if (quenkit::SetUserRegistryString(name, folder) == 1)
        return true;
    quenkit::inform(m_owner, kStoreFailedCaption, failureText, quenkit::Icon::Warning);
    return false;
}

void SystemSettingsDialog::accept()
{
    const QString data = checkedFolder(m_dataFolder, QStringLiteral("五訂モードのフォルダを設定してください。"),
                                       QStringLiteral("指定された五訂モードのデータフォルダは存在しません。\n"
                                                      "五訂モードのデータフォルダを、再度確認して下さい。"));
    if (data.isEmpty())
        return;
    QString photo;
    if (m_photosInstalled) {
        photo = checkedFolder(m_photoFolder, QStringLiteral("写真フォルダを設定してください。"),
                              QStringLiteral("指定された写真のデータフォルダは存在しません。\n"
                                             "写真のデータフォルダを、再度確認して下さい。"));
        if (photo.isEmpty())
            return;
    }
    const bool newDataFolder = data != settings::installationString(settings::kDataDir2);
    if (newDataFolder && m_beforeDataFolderChange && !m_beforeDataFolderChange())
        return;

    for (const BoxInfo &b : kBoxes)
        settings::setSystemString(b.value, checkBox(b.id)->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    // The user screen's toolbar loses its flat style at the next start.
    settings::setSystemString(settings::kSystemSet5, QStringLiteral("0"));

    m_dataFolderChanged = storeFolder(settings::kDataDir2, data,
                                      QStringLiteral("システムデータのフォルダ設定に失敗しました。\n"
                                                     "管理者の権限のあるユーザーで行ってください。"));
    if (m_photosInstalled) {
        storeFolder(settings::kDataDir3, photo,
                    QStringLiteral("食品写真のフォルダ設定に失敗しました。\n"
                                   "管理者の権限のあるユーザーで行ってください。"));
    }

    settings::setSystemString(settings::kDefSyoyo, m_standards->currentText());
    settings::setSystemInt(settings::kKidou, m_firstScreen->currentIndex());

    // The number index belongs to the food table of the data folder now in use.
    RebuildFoodIndex(nullptr);
    QDialog::accept();
    emit settings::settingsNotifier().systemSettingsChanged();
}

MessageVistaDialog::MessageVistaDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("IDD_MESSAGEVISTA"));
    setWindowTitle(QStringLiteral("システムの設定"));
    auto *text = new QLabel(QStringLiteral(
        "システムの設定には、このパソコンを使うすべての方に共通する設定（データフォルダなど）が含まれます。\n"
        "現在のユーザーには、その共通の設定を変更する権限がないため、システムの設定を開けません。\n\n"
        "設定を変更できる権限のあるユーザー（パソコンの管理者など）でDalmoraを起動して、"
        "もう一度システムの設定を行ってください。"), this);
    text->setWordWrap(true);
    text->setMinimumWidth(460);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addSpacing(12);
    layout->addLayout(buttons);
}

bool installationStoreWritable()
{
    return quenkit::SetUserRegistryString(QStringLiteral("TEST"), QStringLiteral("VISTA")) == 1;
}

void openSystemSettings(const DialogContext &context)
{
    if (!installationStoreWritable()) {
        MessageVistaDialog(context.parent).exec();
        return;
    }
    SystemSettingsDialog dialog(context.owner, context.parent);
    DalmainView *view = context.view;
    if (view) {
        // What the open screen holds belongs to the old data folder; it is stored there first.
        dialog.setBeforeDataFolderChange([view] { return view->checkAndSaveScreen(LeaveCheck::Mode::WithMessages); });
    }
    if (dialog.exec() == QDialog::Accepted && dialog.dataFolderChanged() && view)
        view->restartAfterDataFolderChange();
}

namespace {
const DialogRegistration registration(QStringLiteral("IDD_SET_SYSTEM"), openSystemSettings);
}

}  // namespace dalmain
