#include "haztartas.h"

#include "application.h"
#include "dbcontrols.h"
#include "engine.h"
#include "game.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace haztartas {

namespace {

const char *const kChooseWithArrows = "Válasszon a nyilak segítségével!";
const char *const kChooseWithBoxes = "Válasszon a jelölőnégyzetek segítségével!";

// The three rows every browsed catalogue but the homes has: category, price, description.
QVector<FieldRow> catalogueRows(const char *categoryCaption, int categoryTop, int priceTop, int descriptionTop,
                                int priceWidth, const char *categoryName, const char *priceName,
                                const char *memoName)
{
    return {
        {categoryCaption, "Kategoria", categoryTop, categoryTop, 329, categoryName, nullptr},
        {"Havi átlagár", "Atlagos_Ar", priceTop, priceTop, priceWidth, priceName, nullptr},
        {"Részletek", "Leiras", descriptionTop, descriptionTop, 0, memoName, nullptr},
    };
}

QVector<PageSpec> buildSpecs()
{
    QVector<PageSpec> specs;

    PageSpec haz{1, "TabSheet2", "Ház", "GroupBox2", kChooseWithArrows, 401, "Label9", QRect(170, 16, 381, 38),
                 "Az alsó gombok segítségével kiválaszthatod a lakásodat. Továbblépés az OK gombbal.",
                 "DBEdit2", "House_Key", "DBImage1", "BitBtn2", "BitBtn3", "BitBtn4", {}, 0, {}};
    haz.rows = {
        {"Típus", "Kategoria", 64, 64, 329, "DBEdit3", "A ház kategóriája"},
        {"Terület", "Terulet", 120, 120, 134, "DBEdit4", nullptr},
        {"Havi rezsi", "Rezsi", 184, 184, 134, "DBEdit5", nullptr},
        {"Havi törlesztő részlet", "Torleszto_reszlet", 240, 240, 134, "DBEdit6", nullptr, true},
        {"Részletek", "Leiras", 296, 288, 0, "DBMemo1", nullptr},
    };
    specs << haz;

    PageSpec elelmiszer{2, "TabSheet3", "Élelmiszer", "GroupBox3", kChooseWithArrows, 401, "Label13",
                        QRect(170, 16, 411, 57),
                        "Az alsó gombok segítségével kiválaszthatod azt, hogy hogyan kívánsz étkezni a családoddal. "
                        "Az itt szereplő árak egy főre vonatkoznak. Továbblépés az OK gombbal.",
                        "DBEdit7", "Food_Key", "DBImage2", "BitBtn5", "BitBtn6", "BitBtn7", {}, 0, {}};
    elelmiszer.rows = catalogueRows("Kategória", 104, 168, 240, 134, "DBEdit8", "DBEdit9", "DBMemo2");
    specs << elelmiszer;

    PageSpec ruhazkodas{3, "TabSheet8", "Ruházkodás", "GroupBox8", kChooseWithArrows, 401, "Label15",
                        QRect(170, 16, 411, 57),
                        "Az alsó gombok segítségével kiválaszthatod azt, hogy hogyan kíván öltözködni a családod. "
                        "Az itt szereplő árak egy főre vonatkoznak. Továbblépés az OK gombbal.",
                        "DBEdit13", "Clothing_Key", "DBImage3", "BitBtn14", "BitBtn15", "BitBtn16", {}, 0, {}};
    ruhazkodas.rows = catalogueRows("Kategória", 104, 168, 240, 137, "DBEdit14", "DBEdit15", "DBMemo3");
    specs << ruhazkodas;

    PageSpec kozlekedes{4, "TabSheet4", "Közlekedés", "GroupBox4", kChooseWithArrows, 401, "Label18",
                        QRect(170, 16, 376, 57),
                        "Az alsó gombok segítségével kiválaszthatod, hogy mivel  szeretnétek közlekedni. Az itt "
                        "szereplő árak egy főre vonatkoznak. Továbblépés az OK gombbal.",
                        "DBEdit10", "Travel_Key", "DBImage4", "BitBtn8", "BitBtn9", "BitBtn10", {}, 0, {}};
    kozlekedes.rows = catalogueRows("Típus", 104, 168, 240, 134, "DBEdit11", "DBEdit12", "DBMemo4");
    specs << kozlekedes;

    PageSpec hobbi{5, "TabSheet5", "Hobbi", "GroupBox5", kChooseWithBoxes, 337, "Label22", QRect(108, 16, 498, 57),
                   "Az alsó gombok segítségével  megtekintheted a hobbi lehetőségeket, majd a jelölőnégyzetekkel "
                   "kiválaszthatsz akár több neked tetsző hobbit is. Továbblépés az OK gombbal.",
                   "DBEdit16", "Hobby_Key", "DBImage5", "BitBtn17", "BitBtn18", "BitBtn11", {}, 0, {}};
    hobbi.rows = catalogueRows("Kategória", 88, 144, 200, 134, "DBEdit17", "DBEdit18", "DBMemo5");
    hobbi.firstCheckBox = 1;
    hobbi.choices = {"Macska", "Kutya", "Egér", "Papagáj", "Ló", "Halak"};
    specs << hobbi;

    PageSpec szorakozas{6, "TabSheet6", "Szórakozás", "GroupBox6", kChooseWithBoxes, 337, "Label24",
                        QRect(106, 16, 508, 57),
                        "Az alsó gombok segítségével  megtekintheted a szórakozási lehetőségeket, majd a "
                        "jelölőnégyzetekkel kiválaszthatsz akár több neked tetsző szórakozást is. Továbblépés az "
                        "OK gombbal.",
                        "DBEdit21", "Entertainment_Key", "DBImage6", "BitBtn22", "BitBtn20", "BitBtn12", {}, 0, {}};
    szorakozas.rows = catalogueRows("Kategória", 88, 144, 200, 134, "DBEdit22", "DBEdit23", "DBMemo6");
    szorakozas.firstCheckBox = 7;
    szorakozas.choices = {"Kirándulás", "Mozi", "Kávéház", "Színház", "Diszkó", "Internet"};
    specs << szorakozas;

    return specs;
}

enum class Glyph { Prior, Next, Ok };

// The pictures of the buttons: a blue arrow to the left or right, the green check mark.
QIcon glyph(Glyph kind)
{
    QPixmap pixmap(18, 18);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    if (kind == Glyph::Ok) {
        painter.setPen(QPen(QColor(0, 128, 0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(QPolygonF({QPointF(3, 9), QPointF(7, 14), QPointF(15, 4)}));
    } else {
        QPolygonF arrow({QPointF(2, 9), QPointF(9, 2), QPointF(9, 6), QPointF(16, 6), QPointF(16, 12),
                         QPointF(9, 12), QPointF(9, 16)});
        if (kind == Glyph::Next)
            arrow = QTransform(-1, 0, 0, 1, 18, 0).map(arrow);
        painter.setPen(QPen(QColor(0, 0, 128), 1));
        painter.setBrush(QColor(0, 0, 200));
        painter.drawPolygon(arrow);
    }
    return QIcon(pixmap);
}

QPushButton *makeButton(QWidget *sheet, const char *name, const QIcon &icon, const QString &text, int left,
                        const char *hint)
{
    auto *button = new QPushButton(icon, text, sheet);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(left, 472, 81, 25);
    button->setStatusTip(QString::fromUtf8(hint));
    return button;
}

}  // namespace

const QVector<PageSpec> &pageSpecs()
{
    static const QVector<PageSpec> specs = buildSpecs();
    return specs;
}

const PageSpec &pageSpec(int index)
{
    return pageSpecs().at(index - 1);
}

}  // namespace haztartas

THouseholdPage::THouseholdPage(const haztartas::PageSpec &spec, QWidget *sheet, zdb::Table *source,
                               QObject *parent)
    : QObject(parent), m_spec(spec), m_source(source)
{
    setObjectName(QString::fromLatin1(spec.tabSheet) + QStringLiteral("Page"));

    GroupBox = new QGroupBox(QString::fromUtf8(spec.caption), sheet);
    GroupBox->setObjectName(QString::fromLatin1(spec.groupBox));
    GroupBox->setGeometry(32, 32, 721, spec.groupHeight);
    GroupBox->setStatusTip(QString::fromUtf8(spec.groupHint));

    Instruction = new QLabel(QString::fromUtf8(spec.labelText), GroupBox);
    Instruction->setObjectName(QString::fromLatin1(spec.label));
    Instruction->setGeometry(spec.labelGeometry);
    Instruction->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Instruction->setWordWrap(true);
    Instruction->setFont(gamescreen::serifFont(16, true));
    QPalette red = Instruction->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Instruction->setPalette(red);
    gamescreen::fitTextToWidth(Instruction);

    for (const haztartas::FieldRow &row : spec.rows) {
        auto *caption = new QLabel(QString::fromUtf8(row.caption), GroupBox);
        caption->setWordWrap(row.wrapCaption);
        caption->setGeometry(8, row.captionTop + (row.width ? 3 : 0), 78, row.wrapCaption ? 32 : 17);
        caption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        QWidget *box = nullptr;
        if (row.width) {
            auto *edit = new TDBEdit(GroupBox);
            edit->setGeometry(88, row.top, row.width, 21);
            edit->bind(source, QString::fromLatin1(row.field));
            box = edit;
        } else {
            auto *memo = new TDBMemo(GroupBox);
            memo->setGeometry(88, row.top, 329, 89);
            memo->bind(source, QString::fromLatin1(row.field));
            box = memo;
        }
        box->setObjectName(QString::fromLatin1(row.objectName));
        box->setEnabled(false);
        if (row.hint)
            box->setStatusTip(QString::fromUtf8(row.hint));
        caption->setBuddy(box);
    }

    Picture = new TDBImage(GroupBox);
    Picture->setObjectName(QString::fromLatin1(spec.picture));
    Picture->setGeometry(472, 88, 233, 233);
    Picture->setFrameShape(QFrame::NoFrame);
    Picture->setAutoFillBackground(true);
    QPalette face = Picture->palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    Picture->setPalette(face);
    Picture->bind(source, QStringLiteral("Kep"));

    KeyEdit = new TDBEdit(GroupBox);
    KeyEdit->setObjectName(QString::fromLatin1(spec.keyEdit));
    KeyEdit->setGeometry(0, 32, 121, 21);
    KeyEdit->setEnabled(false);
    KeyEdit->setVisible(false);
    KeyEdit->bind(source, QString::fromLatin1(spec.keyField));

    PriorButton = haztartas::makeButton(sheet, spec.prior, haztartas::glyph(haztartas::Glyph::Prior), QString(),
                                        208, "Előző");
    NextButton = haztartas::makeButton(sheet, spec.next, haztartas::glyph(haztartas::Glyph::Next), QString(),
                                       336, "Következő");
    OkButton = haztartas::makeButton(sheet, spec.ok, haztartas::glyph(haztartas::Glyph::Ok), QStringLiteral("&OK"),
                                     600, "Ezt szeretném!");

    if (spec.firstCheckBox > 0) {
        ChoiceBox = new QGroupBox(QStringLiteral("választások"), sheet);
        ChoiceBox->setObjectName(QString::fromLatin1(spec.groupBox) + QStringLiteral("Choices"));
        ChoiceBox->setGeometry(96, 400, 609, 33);
        static const int lefts[6] = {24, 112, 216, 312, 408, 504};
        for (int i = 0; i < 6; ++i) {
            auto *box = new QCheckBox(QString::fromUtf8(spec.choices.at(i)), ChoiceBox);
            box->setObjectName(QStringLiteral("CheckBox%1").arg(spec.firstCheckBox + i));
            box->setGeometry(lefts[i], 11, 97, 17);
            CheckBoxes << box;
        }
    }

    QWidget::setTabOrder(PriorButton, NextButton);
    QWidget::setTabOrder(NextButton, OkButton);
    connect(PriorButton, &QPushButton::clicked, this, &THouseholdPage::PriorClick);
    connect(NextButton, &QPushButton::clicked, this, &THouseholdPage::NextClick);
}

void THouseholdPage::PriorClick()
{
    guarded([this] { m_source->prior(); });
}

void THouseholdPage::NextClick()
{
    guarded([this] { m_source->next(); });
}

int THouseholdPage::mask() const
{
    int value = 0;
    for (int i = 0; i < CheckBoxes.size(); ++i)
        if (CheckBoxes.at(i)->isChecked())
            value += 1 << i;
    return value;
}

void THouseholdPage::decodeMask(int mask)
{
    if (CheckBoxes.size() != 6)
        return;
    int rest = mask;
    for (int i = 5; i >= 1; --i) {
        const int value = 1 << i;
        const bool ticked = rest / value == 1;
        CheckBoxes.at(i)->setChecked(ticked);
        if (ticked)
            rest -= value;
    }
    CheckBoxes.at(0)->setChecked(rest == 1);
}

void THouseholdPage::untickAll()
{
    for (QCheckBox *box : CheckBoxes)
        box->setChecked(false);
}
