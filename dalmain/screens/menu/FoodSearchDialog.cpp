#include "dalmain/screens/menu/FoodSearchDialog.h"

#include "dalmain/master/NutrientDisplay.h"
#include "quenkit/controls/InputControls.h"
#include "quenkit/controls/NumEdit.h"
#include "quenkit/dbf/DbfTable.h"
#include "quenkit/owner/Owner.h"
#include "quenkit/registry/SettingsStore.h"
#include "quenkit/text/ShiftJis.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace dalmain {

namespace {

const QString kSection = QStringLiteral("Dalmora Menu");
constexpr int kKeywordHistory = 10;
// The comparisons in the order of the list.
constexpr int kComparisons[] = {kEqualComparison, kAtMostComparison, kAtLeastComparison};

QList<int> intersect(const QList<int> &a, const QList<int> &b)
{
    QList<int> both;
    std::set_intersection(a.cbegin(), a.cend(), b.cbegin(), b.cend(), std::back_inserter(both));
    return both;
}

}  // namespace

QList<FoodRecord> searchFoods(const FoodSearchConditions &c, bool *ok)
{
    if (ok)
        *ok = true;
    const QString keyword = c.keyword.trimmed();
    const bool byNutrient = c.nutrient.nutrient >= 0 && c.nutrient.comparison != 0;
    if (keyword.isEmpty() && c.group == 0 && !byNutrient)
        return {};
    QList<int> records;
    bool first = true;
    if (!keyword.isEmpty()) {
        if (SearchFoodsByText(nullptr, records, quenkit::toSjis(keyword)) < 0) {
            if (ok)
                *ok = false;
            return {};
        }
        first = false;
    }
    if (c.group != 0 || byNutrient) {
        QList<int> matching;
        if (SearchFoodsByGroup(nullptr, matching, c.group, byNutrient ? c.nutrient : NutrientCondition{}) < 0) {
            if (ok)
                *ok = false;
            return {};
        }
        std::sort(matching.begin(), matching.end());
        records = first ? matching : intersect(records, matching);
    }
    QList<FoodRecord> foods;
    const FoodTableFiles files;
    for (int record : std::as_const(records)) {
        QByteArray body;
        if (quenkit::ReadDBFRecord(files.table, record, body) == 1)
            foods.append(FoodRecord::fromBody(body));
    }
    std::sort(foods.begin(), foods.end(), [](const FoodRecord &a, const FoodRecord &b) { return a.number < b.number; });
    return foods;
}

FoodSearchDialog::FoodSearchDialog(quenkit::Owner *owner, QChar settingsLetter, QWidget *parent)
    : QDialog(parent)
    , m_owner(owner)
    , m_letter(settingsLetter)
    , m_keyword(new QComboBox(this))
    , m_nutrient(new QComboBox(this))
    , m_value(new quenkit::NumEdit(4, 2, this))
    , m_comparison(new QComboBox(this))
    , m_results(new QListWidget(this))
    , m_photo(new QLabel(this))
    , m_keepResults(new QCheckBox(QStringLiteral("検索結果を保持する"), this))
{
    setObjectName(QStringLiteral("IDD_FOODSEARCHDIALOG"));
    setWindowTitle(QStringLiteral("食品の検索"));
    m_keyword->setObjectName(QStringLiteral("keyword"));
    m_keyword->setEditable(true);
    m_keyword->setInsertPolicy(QComboBox::NoInsert);
    m_keyword->setMinimumWidth(260);
    for (int i = 1; i <= kKeywordHistory; ++i) {
        QString key;
        quenkit::GetRegistryString(kSection, QStringLiteral("FOOD_SEARCH_KEY%1").arg(i), nullptr, key);
        if (!key.isEmpty())
            m_keyword->addItem(key);
    }
    m_keyword->setCurrentText(QString());
    m_nutrient->setObjectName(QStringLiteral("nutrient"));
    m_nutrient->addItem(QStringLiteral("---未設定---"));
    for (int n = 0; n < kNutrientCount; ++n)
        m_nutrient->addItem(QStringLiteral("%1(%2)").arg(nutrientDisplayName(n), nutrientDisplayUnit(n)));
    m_value->setObjectName(QStringLiteral("value"));
    m_value->setFixedWidth(80);
    m_comparison->setObjectName(QStringLiteral("comparison"));
    m_comparison->addItems({QStringLiteral("と等しい食品"), QStringLiteral("以下の食品"), QStringLiteral("以上の食品")});
    m_results->setObjectName(QStringLiteral("results"));
    m_results->setMinimumSize(420, 260);
    m_photo->setObjectName(QStringLiteral("photo"));
    m_photo->setFixedSize(200, 150);
    m_photo->setFrameShape(QFrame::StyledPanel);
    m_photo->setAlignment(Qt::AlignCenter);
    m_keepResults->setObjectName(QStringLiteral("keepResults"));
    m_keepResults->setChecked(quenkit::GetRegistryInt(kSection, QStringLiteral("FoodSearch"), 0) != 0);
    auto *showPhotos = new QCheckBox(QStringLiteral("食品写真を表示する"), this);
    showPhotos->setObjectName(QStringLiteral("showPhotos"));
    showPhotos->setChecked(true);

    auto *conditions = new QGridLayout;
    conditions->addWidget(new QLabel(QStringLiteral("ｷｰﾜｰﾄﾞ"), this), 0, 0);
    conditions->addWidget(m_keyword, 0, 1, 1, 3);
    conditions->addWidget(new QLabel(QStringLiteral("栄養素"), this), 1, 0);
    conditions->addWidget(m_nutrient, 1, 1);
    conditions->addWidget(m_value, 1, 2);
    conditions->addWidget(m_comparison, 1, 3);
    conditions->addWidget(new QLabel(QStringLiteral("※栄養素は100gあたりの検索です。"), this), 2, 1, 1, 3);

    auto *groups = new QGridLayout;
    for (int g = 1; g <= food::GroupCount; ++g) {
        auto *button = new QPushButton(foodGroupLabel(g), this);
        button->setObjectName(QStringLiteral("group%1").arg(g));
        button->setCheckable(true);
        groups->addWidget(button, (g - 1) / 6, (g - 1) % 6);
        connect(button, &QPushButton::clicked, this, [this, g] { groupClicked(g); });
        m_groups.append(button);
    }

    auto *searchButton = new quenkit::Button2(QStringLiteral("検索"), this);
    searchButton->setObjectName(QStringLiteral("search"));
    auto *take = new quenkit::Button2(QStringLiteral("選択"), this);
    take->setObjectName(QStringLiteral("take"));
    take->setDefault(true);
    auto *composition = new quenkit::Button2(QStringLiteral("内容表示"), this);
    composition->setObjectName(QStringLiteral("composition"));
    m_enlarge = new quenkit::Button2(QStringLiteral("画像拡大"), this);
    m_enlarge->setObjectName(QStringLiteral("enlarge"));
    m_enlarge->setEnabled(false);
    auto *cancel = new quenkit::Button2(QStringLiteral("キャンセル"), this);

    auto *side = new QVBoxLayout;
    side->addWidget(m_photo);
    side->addWidget(m_enlarge);
    side->addWidget(showPhotos);
    side->addWidget(m_keepResults);
    side->addStretch();
    side->addWidget(take);
    side->addWidget(composition);
    side->addWidget(cancel);
    auto *middle = new QHBoxLayout;
    middle->addWidget(m_results, 1);
    middle->addLayout(side);
    auto *top = new QHBoxLayout;
    top->addLayout(conditions, 1);
    top->addWidget(searchButton, 0, Qt::AlignBottom);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(groups);
    layout->addLayout(middle, 1);

    connect(m_keyword, &QComboBox::editTextChanged, this, &FoodSearchDialog::search);
    connect(m_nutrient, &QComboBox::currentIndexChanged, this, &FoodSearchDialog::nutrientChosen);
    connect(m_comparison, &QComboBox::currentIndexChanged, this, [this] {
        keepCondition();
        search();
    });
    connect(m_value, &QLineEdit::textChanged, this, [this] {
        keepCondition();
        search();
    });
    connect(searchButton, &QPushButton::clicked, this, [this] {
        rememberKeyword();
        search();
    });
    connect(take, &QPushButton::clicked, this, &FoodSearchDialog::accept);
    connect(composition, &QPushButton::clicked, this, &FoodSearchDialog::showComposition);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_results, &QListWidget::itemDoubleClicked, this, &FoodSearchDialog::accept);
    connect(m_results, &QListWidget::currentRowChanged, this, &FoodSearchDialog::showPicture);
    connect(m_enlarge, &QPushButton::clicked, this, &FoodSearchDialog::showEnlargedPicture);
    connect(showPhotos, &QCheckBox::toggled, this, [this](bool on) {
        m_showPictures = on;
        showPicture(m_results->currentRow());
    });
    connect(m_keepResults, &QCheckBox::toggled, this,
            [](bool on) { quenkit::SetRegistryInt(kSection, QStringLiteral("FoodSearch"), on ? 1 : 0); });
    m_keyword->setFocus();
}

FoodSearchConditions FoodSearchDialog::conditions() const
{
    FoodSearchConditions c;
    c.keyword = m_keyword->currentText();
    c.group = m_group;
    if (m_nutrient->currentIndex() > 0 && !m_value->text().trimmed().isEmpty()) {
        c.nutrient.nutrient = m_nutrient->currentIndex() - 1;
        c.nutrient.comparison = kComparisons[std::max(0, m_comparison->currentIndex())];
        c.nutrient.value = m_value->text().toDouble();
    }
    return c;
}

void FoodSearchDialog::search()
{
    bool ok = true;
    m_found = searchFoods(conditions(), &ok);
    m_results->clear();
    for (const FoodRecord &f : std::as_const(m_found)) {
        auto *item = new QListWidgetItem(QStringLiteral("%1  %2").arg(f.number, 5).arg(quenkit::fromSjis(f.name)));
        item->setData(Qt::UserRole, f.number);
        m_results->addItem(item);
    }
    if (!m_found.isEmpty())
        m_results->setCurrentRow(0);
    if (!ok)
        m_photo->setText(QStringLiteral("食品表を読めません"));
}

void FoodSearchDialog::showPicture(int row)
{
    m_photo->clear();
    m_enlarge->setEnabled(false);
    if (!m_showPictures || row < 0 || row >= m_found.size())
        return;
    const QString path = foodPicturePath(m_found[row]);
    const QPixmap picture(path);
    if (!picture.isNull()) {
        m_photo->setPixmap(picture.scaled(m_photo->size() - QSize(4, 4), Qt::KeepAspectRatio, Qt::SmoothTransformation));
        m_enlarge->setEnabled(true);
    }
}

void FoodSearchDialog::showEnlargedPicture()
{
    const int row = m_results->currentRow();
    if (row < 0 || row >= m_found.size())
        return;
    const QPixmap picture(enlargedFoodPicturePath(m_found[row]));
    if (picture.isNull())
        return;
    QDialog view(this);
    view.setObjectName(QStringLiteral("EnlargedPhoto"));
    view.setWindowTitle(quenkit::fromSjis(m_found[row].name));
    auto *label = new QLabel(&view);
    label->setObjectName(QStringLiteral("enlargedPicture"));
    // A stand-in picture of 160 x 120 is shown at twice its size; a real enlarged photo as it is.
    label->setPixmap(picture.width() < 400 ? picture.scaled(picture.size() * 2, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                                           : picture);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, &view);
    connect(buttons, &QDialogButtonBox::rejected, &view, &QDialog::reject);
    auto *layout = new QVBoxLayout(&view);
    layout->addWidget(label);
    layout->addWidget(buttons);
    view.exec();
}

QString FoodSearchDialog::shownPicturePath() const
{
    const int row = m_results->currentRow();
    if (!m_showPictures || row < 0 || row >= m_found.size() || m_photo->pixmap().isNull())
        return {};
    return foodPicturePath(m_found[row]);
}

QList<quint32> FoodSearchDialog::listedFoods() const
{
    QList<quint32> numbers;
    for (const FoodRecord &f : m_found)
        numbers.append(f.number);
    return numbers;
}

void FoodSearchDialog::groupClicked(int group)
{
    m_group = m_group == group ? 0 : group;
    for (int g = 1; g <= m_groups.size(); ++g)
        m_groups[g - 1]->setChecked(g == m_group);
    search();
}

void FoodSearchDialog::nutrientChosen()
{
    const int n = m_nutrient->currentIndex();
    if (n > 0) {
        // Each nutrient comes back with the comparison and value last used for it.
        const int kept = quenkit::GetRegistryInt(kSection, QStringLiteral("ES%1_Condition_%2").arg(m_letter).arg(n), 0);
        QString value;
        const QString zero = QStringLiteral("0.00");
        quenkit::GetRegistryString(kSection, QStringLiteral("ES%1_Bunryou_%2").arg(m_letter).arg(n), &zero, value);
        const QSignalBlocker blockComparison(m_comparison);
        const QSignalBlocker blockValue(m_value);
        m_comparison->setCurrentIndex(std::clamp(kept, 0, 2));
        m_value->setFilteredText(value == zero ? QString() : value);
    }
    search();
}

void FoodSearchDialog::keepCondition()
{
    const int n = m_nutrient->currentIndex();
    if (n <= 0)
        return;
    const QString value = m_value->text().trimmed();
    quenkit::SetRegistryInt(kSection, QStringLiteral("ES%1_Condition_%2").arg(m_letter).arg(n), m_comparison->currentIndex());
    quenkit::SetRegistryString(kSection, QStringLiteral("ES%1_Bunryou_%2").arg(m_letter).arg(n),
                               QString::asprintf("%.2f", value.isEmpty() ? 0.0 : value.toDouble()));
}

void FoodSearchDialog::rememberKeyword()
{
    const QString key = m_keyword->currentText().trimmed();
    if (key.isEmpty())
        return;
    QStringList history{key};
    for (int i = 0; i < m_keyword->count() && history.size() < kKeywordHistory; ++i) {
        if (m_keyword->itemText(i) != key)
            history.append(m_keyword->itemText(i));
    }
    for (int i = 0; i < history.size(); ++i)
        quenkit::SetRegistryString(kSection, QStringLiteral("FOOD_SEARCH_KEY%1").arg(i + 1), history[i]);
    const QSignalBlocker block(m_keyword);
    m_keyword->clear();
    m_keyword->addItems(history);
    m_keyword->setCurrentText(key);
}

void FoodSearchDialog::showComposition()
{
    const int row = m_results->currentRow();
    if (row < 0 || row >= m_found.size())
        return;
    FoodCompositionDialog(m_found[row], this).exec();
}

void FoodSearchDialog::accept()
{
    const int row = m_results->currentRow();
    if (row < 0 || row >= m_found.size()) {
        quenkit::inform(m_owner, windowTitle(), QStringLiteral("食品を選択してください。"));
        return;
    }
    m_chosen = m_found[row].number;
    rememberKeyword();
    QDialog::accept();
}

FoodCompositionDialog::FoodCompositionDialog(const FoodRecord &food, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FoodComposition"));
    setWindowTitle(QStringLiteral("食品の内容"));
    auto *table = new QTableWidget(kNutrientCount + 1, 2, this);
    table->setObjectName(QStringLiteral("composition"));
    table->setHorizontalHeaderLabels({QStringLiteral("栄養素"), QStringLiteral("100gあたり")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int n = 0; n < kNutrientCount; ++n) {
        table->setItem(n, 0, new QTableWidgetItem(QStringLiteral("%1(%2)").arg(nutrientDisplayName(n), nutrientDisplayUnit(n))));
        // "-": not analysed, which is not the same as none.
        auto *value = new QTableWidgetItem(food.isKnown(n) ? formatPlain(n, food.nutrients[static_cast<size_t>(n)])
                                                           : QStringLiteral("-"));
        value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(n, 1, value);
    }
    table->setItem(kNutrientCount, 0, new QTableWidgetItem(QStringLiteral("廃棄率(%)")));
    table->setItem(kNutrientCount, 1, new QTableWidgetItem(QString::number(food.wasteRatio)));
    table->resizeColumnsToContents();
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("%1  %2").arg(food.number).arg(quenkit::fromSjis(food.name)), this));
    layout->addWidget(table);
    layout->addWidget(buttons);
    resize(360, 560);
}

}  // namespace dalmain
