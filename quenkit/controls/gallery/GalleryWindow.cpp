#include "GalleryWindow.h"

#include "quenkit/controls/BmpButton.h"
#include "quenkit/controls/BmpDraw.h"
#include "quenkit/controls/DatePickers.h"
#include "quenkit/controls/Drawing.h"
#include "quenkit/controls/Fonts.h"
#include "quenkit/controls/InputControls.h"
#include "quenkit/controls/MonthlyCalendar.h"
#include "quenkit/controls/NumEdit.h"
#include "quenkit/controls/Takku.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace gallery {

namespace {

using namespace quenkit;

struct TextSample {
    const char *face;
    int width;
    int height;
    int style;
    const char *text;
};

// The faces the screens and reports ask for, with the style flags they use.
const TextSample kFontSamples[] = {
    {"ＭＳ ゴシック", 0, 14, 0, "ＭＳ ゴシック　エネルギー 1234.5kcal"},
    {"ＭＳ ゴシック", 0, 14, FontBold, "太字　たんぱく質・脂質・炭水化物"},
    {"ＭＳ 明朝", 0, 14, 0, "ＭＳ 明朝　日本人の食事摂取基準"},
    {"ＭＳ 明朝", 0, 14, FontItalic | FontUnderline, "斜体と下線　食品交換表"},
    {"HG丸ｺﾞｼｯｸM-PRO", 0, 16, 0, "HG丸ｺﾞｼｯｸM-PRO　献立・運動・体重"},
    {"ＭＳ ゴシック", 0, 14, FontStrikeOut, "取り消し線　削除した食品"},
};

// Draws the helper functions' results: ornamented and bold text, lines and the font faces.
class DrawingSample : public QWidget
{
public:
    explicit DrawingSample(QWidget *parent)
        : QWidget(parent)
    {
        setMinimumSize(420, 200);
    }

    static QFont ornamentFont() { return createFont(QStringLiteral("HG丸ｺﾞｼｯｸM-PRO"), 12, 24); }
    static QString ornamentText() { return QStringLiteral("栄養バランス"); }
    static QString boldText() { return QStringLiteral("BoaldTextOut で太く見せた文字"); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.setFont(ornamentFont());
        painter.setPen(Qt::white);
        OrnamentTextOut(painter, 8, 4, ornamentText(), QColor(0x20, 0x50, 0x90), QColor(0x90, 0x90, 0x90));
        painter.setPen(QColor(0x20, 0x40, 0x60));
        OrnamentTextOut(painter, 200, 4, ornamentText(), QColor(), QColor(0xb0, 0xc4, 0xde));

        painter.setPen(QColor(0x80, 0x80, 0x80));
        Line(painter, 8, 38, width() - 8, 38);

        const QFont previous = SetFont(painter, 0, 14, QStringLiteral("ＭＳ ゴシック"));
        painter.setPen(Qt::black);
        painter.setBackground(QColor(0xff, 0xf4, 0xd6));
        BoaldTextOut(painter, 8, 44, boldText());
        int y = 66;
        for (const TextSample &sample : kFontSamples) {
            SetFont(painter, sample.width, sample.height, QString::fromUtf8(sample.face), sample.style);
            textOut(painter, 8, y, QString::fromUtf8(sample.text));
            y += sample.height + 6;
        }
        DeleteFont(painter, previous);
    }
};

QLabel *caption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setFont(createFont(QStringLiteral("ＭＳ Ｐゴシック"), 0, 12));
    return label;
}

QGroupBox *section(const QString &title, QWidget *parent)
{
    auto *box = new QGroupBox(title, parent);
    box->setFont(createFont(QStringLiteral("ＭＳ Ｐゴシック"), 0, 13, FontBold));
    return box;
}

}  // namespace

GalleryWindow::GalleryWindow(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ControlsGallery"));
    setWindowTitle(QStringLiteral("コントロール一覧"));
    auto *layout = new QGridLayout(this);
    layout->addWidget(inputSection(), 0, 0);
    layout->addWidget(pickerSection(), 0, 1, 2, 1);
    layout->addWidget(buttonSection(), 1, 0);
    layout->addWidget(tabSection(), 2, 0);
    layout->addWidget(drawingSection(), 2, 1);
}

QWidget *GalleryWindow::inputSection()
{
    QGroupBox *box = section(QStringLiteral("入力欄"), this);
    auto *grid = new QGridLayout(box);

    auto *number = new NumEdit(3, 1, box);
    number->setFilteredText(QStringLiteral("1234.56"));
    auto *text = new StrEdit(box);
    text->setByteLimit(30);
    text->setText(QStringLiteral("ほうれんそう（ゆで）"));
    auto *button = new Button2(QStringLiteral("登録"), box);
    auto *combo = new ComboBox2(box);
    combo->addItems({QStringLiteral("朝食"), QStringLiteral("昼食"), QStringLiteral("夕食"), QStringLiteral("間食")});
    combo->setCurrentIndex(1);
    auto *header = new Header(QStringLiteral("フリガナ@氏名@生年月日"), box);
    header->setColumnWidths({110, 110});
    header->setMinimumWidth(320);

    grid->addWidget(caption(QStringLiteral("NumEdit（整数3桁・小数1桁、1234.56 を設定）"), box), 0, 0);
    grid->addWidget(number, 0, 1);
    grid->addWidget(caption(QStringLiteral("StrEdit（30バイトまで）"), box), 1, 0);
    grid->addWidget(text, 1, 1);
    grid->addWidget(caption(QStringLiteral("Button2"), box), 2, 0);
    grid->addWidget(button, 2, 1);
    grid->addWidget(caption(QStringLiteral("ComboBox2"), box), 3, 0);
    grid->addWidget(combo, 3, 1);
    grid->addWidget(caption(QStringLiteral("Header"), box), 4, 0);
    grid->addWidget(header, 5, 0, 1, 2);
    return box;
}

QWidget *GalleryWindow::tabSection()
{
    QGroupBox *box = section(QStringLiteral("タブ（TAKKU）"), this);
    auto *layout = new QVBoxLayout(box);
    m_takku = new TAKKU(QStringLiteral("ユーザー@献  立  @運  動  @体  重  @分  析  "), box);
    m_takku->setMinimumSize(TAKKU::kTabWidth * m_takku->count(), 140);
    auto *page = new QLabel(QStringLiteral("献立記録の画面がここに入ります"));
    page->setAlignment(Qt::AlignCenter);
    page->setFont(createFont(QStringLiteral("ＭＳ ゴシック"), 0, 14));
    m_takku->setPage(page);
    m_takku->select(1);
    layout->addWidget(m_takku);
    return box;
}

QWidget *GalleryWindow::pickerSection()
{
    QGroupBox *box = section(QStringLiteral("日付"), this);
    auto *grid = new QGridLayout(box);

    m_dayPicker = new DMCalendar(box);
    m_dayPicker->setMarkedDates({QDate(m_dayPicker->year(), m_dayPicker->month(), 3),
                                 QDate(m_dayPicker->year(), m_dayPicker->month(), 10),
                                 QDate(m_dayPicker->year(), m_dayPicker->month(), 11)});
    auto *monthPicker = new DMCalendar2(box);
    auto *yearPicker = new DMCalendar3(box);
    auto *grid2 = new DMMonthlyCalendar(m_dayPicker, box);

    grid->addWidget(caption(QStringLiteral("DMCalendar（日）"), box), 0, 0);
    grid->addWidget(m_dayPicker, 1, 0);
    grid->addWidget(caption(QStringLiteral("DMCalendar2（月）"), box), 2, 0);
    grid->addWidget(monthPicker, 3, 0);
    grid->addWidget(caption(QStringLiteral("DMCalendar3（年）"), box), 4, 0);
    grid->addWidget(yearPicker, 5, 0);
    grid->addWidget(caption(QStringLiteral("DMMonthlyCalendar（記録のある日に色）"), box), 6, 0);
    grid->addWidget(grid2, 7, 0, Qt::AlignLeft);
    grid->setRowStretch(8, 1);
    return box;
}

QWidget *GalleryWindow::buttonSection()
{
    QGroupBox *box = section(QStringLiteral("ビットマップボタン"), this);
    auto *grid = new QGridLayout(box);
    const QStringList states = {QStringLiteral("_DEF"), QStringLiteral("_OVER"), QStringLiteral("_PUSH")};
    const QStringList stateNames = {QStringLiteral("通常"), QStringLiteral("マウスが上"), QStringLiteral("押下")};
    for (int group = 0; group < 2; ++group) {
        for (int s = 0; s < stateNames.size(); ++s)
            grid->addWidget(caption(stateNames[s], box), 0, group * 4 + 1 + s, Qt::AlignCenter);
    }
    const QStringList arrows = {QStringLiteral("LEFT1"), QStringLiteral("RIGHT1"), QStringLiteral("LEFT2"),
                                QStringLiteral("RIGHT2"), QStringLiteral("LEFT4"), QStringLiteral("RIGHT4")};
    // Two arrows per row: left and right of one kind side by side.
    for (int i = 0; i < arrows.size(); ++i) {
        const int row = 1 + i / 2;
        const int column = (i % 2) * 4;
        if (i % 2 == 0)
            grid->addWidget(caption(arrows[i].left(arrows[i].size() - 1) == QLatin1String("LEFT")
                                        ? QStringLiteral("%1 / RIGHT%2").arg(arrows[i], arrows[i].right(1))
                                        : arrows[i],
                                    box),
                            row, 0);
        for (int s = 0; s < states.size(); ++s)
            grid->addWidget(new BmpDraw(arrows[i] + states[s], box), row, column + 1 + s, Qt::AlignCenter);
    }
    auto *single = new QHBoxLayout;
    for (const QString &name : {QStringLiteral("CALENDAR"), QStringLiteral("TODAY"), QStringLiteral("MONTH"),
                                QStringLiteral("YEAR"), QStringLiteral("LEFT3"), QStringLiteral("RIGHT3"),
                                QStringLiteral("CLOSE")})
        single->addWidget(new BmpButton(name, 0, box));
    single->addWidget(new BmpDraw2(QStringLiteral(":/quenkit/controls/bitmaps/CALENDAR.svg"), box));
    single->addStretch();
    grid->addWidget(caption(QStringLiteral("BmpButton / BmpDraw2"), box), 4, 0);
    grid->addLayout(single, 4, 1, 1, 7);
    auto *live = new QHBoxLayout;
    live->addWidget(new BmpButton2(QStringLiteral("LEFT2"), 1, box));
    live->addWidget(new BmpButton2(QStringLiteral("RIGHT2"), 4, box));
    live->addStretch();
    grid->addWidget(caption(QStringLiteral("BmpButton2（動作見本）"), box), 5, 0);
    grid->addLayout(live, 5, 1, 1, 7);
    return box;
}

QWidget *GalleryWindow::drawingSection()
{
    QGroupBox *box = section(QStringLiteral("描画ヘルパー"), this);
    auto *layout = new QVBoxLayout(box);
    layout->addWidget(new DrawingSample(box));
    return box;
}

QList<QPair<QFont, QString>> GalleryWindow::shownTexts() const
{
    QList<QPair<QFont, QString>> texts;
    for (const QLabel *label : findChildren<QLabel *>())
        texts.append({label->font(), label->text()});
    for (const QGroupBox *box : findChildren<QGroupBox *>())
        texts.append({box->font(), box->title()});
    for (const QLineEdit *edit : findChildren<QLineEdit *>())
        texts.append({edit->font(), edit->text()});
    for (const QComboBox *combo : findChildren<QComboBox *>()) {
        for (int i = 0; i < combo->count(); ++i)
            texts.append({combo->font(), combo->itemText(i)});
    }
    for (const Button2 *button : findChildren<Button2 *>())
        texts.append({button->font(), button->text()});
    for (const TAKKUSUB *tab : findChildren<TAKKUSUB *>())
        texts.append({tab->font(), tab->caption()});
    for (const DatePicker *picker : findChildren<DatePicker *>())
        texts.append({picker->font(), picker->text()});
    for (const Header *header : findChildren<Header *>()) {
        for (const QString &text : header->captions())
            texts.append({header->font(), text});
    }
    // Painted by the month grid and the drawing sample.
    texts.append({createFont(QStringLiteral("ＭＳ ゴシック"), 0, 12, FontBold), QStringLiteral("2012年12月")});
    texts.append({createFont(QStringLiteral("ＭＳ ゴシック"), 0, 11), QStringLiteral("日月火水木金土")});
    texts.append({DrawingSample::ornamentFont(), DrawingSample::ornamentText()});
    texts.append({createFont(QStringLiteral("ＭＳ ゴシック"), 0, 14), DrawingSample::boldText()});
    for (const TextSample &sample : kFontSamples)
        texts.append({createFont(QString::fromUtf8(sample.face), sample.width, sample.height, sample.style),
                      QString::fromUtf8(sample.text)});
    return texts;
}

}  // namespace gallery
