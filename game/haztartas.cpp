#include "game/haztartas.h"

#include "controls/application.h"
#include "rules/budget.h"
#include "controls/datasource.h"
#include "controls/dbcontrols.h"
#include "db/engine.h"
#include "game/game.h"
#include "rules/payroll.h"
#include "controls/payrolltables.h"
#include "gui/look.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPushButton>

using namespace payroll;

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
    return look::drawnIcon(18, 18, [kind](QPainter &painter) {
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
    });
}

QPushButton *makeButton(QWidget *sheet, const char *name, const QIcon &icon, const QString &text, int left,
                        const char *hint)
{
    auto *button = new QPushButton(icon, text, sheet);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(left, 472, 81, 25);
    button->setStatusTip(QString::fromUtf8(hint));
    // A button of a picture alone is named by what it does.
    if (text.isEmpty()) {
        button->setAccessibleName(QString::fromUtf8(hint));
        button->setToolTip(QString::fromUtf8(hint));
    }
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

THouseholdPage::THouseholdPage(const haztartas::PageSpec &spec, QWidget *sheet, TDataSource *source,
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
    Instruction->setFont(look::serif(16, true));
    QPalette red = Instruction->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Instruction->setPalette(red);
    gamescreen::fitTextToWidth(Instruction);

    for (const haztartas::FieldRow &row : spec.rows) {
        auto *caption = new QLabel(QString::fromUtf8(row.caption), GroupBox);
        caption->setFont(look::sans(12));
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
        // Display only, but the prices must stay easy to read.
        QPalette readable = box->palette();
        readable.setColor(QPalette::Disabled, QPalette::Text, QColor(0, 0, 0));
        readable.setColor(QPalette::Disabled, QPalette::Base, QColor(255, 255, 255));
        box->setPalette(readable);
        box->setFont(look::sans(12));
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
    Picture->setAccessibleName(QStringLiteral("Kép: ") + QString::fromUtf8(spec.caption));

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
        // A low box: its caption sits on the frame's top line, so that the boxes ticked
        // inside keep clear of the frame.
        ChoiceBox->setStyleSheet(QStringLiteral(
            "QGroupBox { border: 1px solid rgb(160, 160, 160); margin-top: 6px; }"
            "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 8px;"
            " padding: 0px 2px; background-color: rgb(209, 209, 209); }"));
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

// ---------------------------------------------------------------------------------------------
// Help with the current prices.

namespace haztartas {

namespace {

struct PriceRow {
    int key = 0;
    QString category;
    double price = 0;       // Atlagos_Ar, or the home's instalment
    double rezsi = 0;
    int area = 0;
};

QString forint(double amount)
{
    static const QLocale hungarian(QLocale::Hungarian, QLocale::Hungary);
    return hungarian.toString(qint64(Round(amount))) + QStringLiteral("&nbsp;Ft");
}

QVector<PriceRow> readPrices(zdb::Session *session, const QString &alias, const QString &file, const char *keyField)
{
    zdb::Table table(session);
    table.setAliasName(alias);
    table.setTableName(file);
    table.setIndexFieldNames(QString::fromLatin1(keyField));
    table.open();
    QVector<PriceRow> rows;
    const bool house = file.startsWith(QStringLiteral("Hazak"), Qt::CaseInsensitive);
    for (table.first(); !table.eof(); table.next()) {
        PriceRow row;
        row.key = table.fieldByName(QString::fromLatin1(keyField)).asInteger();
        row.category = table.fieldByName(QStringLiteral("Kategoria")).asString().toHtmlEscaped();
        const auto number = [&table](const char *field) {
            const zdb::Field f = table.fieldByName(QString::fromLatin1(field));
            return f.isNull() ? 0.0 : f.asFloat();
        };
        if (house) {
            row.price = number("Torleszto_reszlet");
            row.rezsi = number("Rezsi");
            row.area = int(number("Terulet"));
        } else {
            row.price = number("Atlagos_Ar");
        }
        rows << row;
    }
    return rows;
}

// The monthly cost of a child in the folder's year row.
qint64 childCost(zdb::Session *session, const QString &alias)
{
    zdb::Table year(session);
    year.setAliasName(alias);
    year.setTableName(QStringLiteral("Adoev.DB"));
    return payroll::ReadFolderYear(&year).childCost;
}

QString table(const QStringList &header, const QList<QStringList> &rows)
{
    QString html = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\"><tr>");
    for (const QString &h : header)
        html += QStringLiteral("<th>%1</th>").arg(h);
    html += QStringLiteral("</tr>");
    for (const QStringList &row : rows) {
        html += QStringLiteral("<tr>");
        for (int i = 0; i < row.size(); ++i)
            html += (i == 0 ? QStringLiteral("<td>%1</td>") : QStringLiteral("<td align=\"right\">%1</td>")).arg(row.at(i));
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

// Reads the catalogues; a closed or missing database gives no prices rather than an error
// inside the help window.
template <class F> QString orNothing(F &&body)
{
    try {
        return body();
    } catch (const std::exception &) {
        return QString();
    }
}

}  // namespace

QString priceHelpHtml(zdb::Session *session, const QString &alias)
{
    return orNothing([&] {
        QString html = QStringLiteral("<h3>A mostani árak</h3>");

        QList<QStringList> homes;
        for (const PriceRow &r : readPrices(session, alias, QStringLiteral("Hazak.DB"), "House_Key"))
            homes << QStringList{r.category, QStringLiteral("%1&nbsp;m²").arg(r.area), forint(r.rezsi),
                                 forint(r.price), forint(r.rezsi + r.price)};
        html += QStringLiteral("<p><b>Ház</b>: a rezsi és a törlesztő részlet az egész családé, a családtagok "
                               "számától nem függ.</p>")
                + table({QStringLiteral("Típus"), QStringLiteral("Terület"), QStringLiteral("Havi rezsi"),
                         QStringLiteral("Havi törlesztő részlet"), QStringLiteral("Összesen")},
                        homes);

        QList<QStringList> food;
        for (const PriceRow &r : readPrices(session, alias, QStringLiteral("Elelmiszerek.DB"), "Food_Key"))
            food << QStringList{r.category, forint(r.price), forint(r.price * 0.75)};
        html += QStringLiteral("<p><b>Élelmiszer</b>: egy felnőtt a teljes árat, egy gyerek a 75%-át "
                               "eszi meg havonta.</p>")
                + table({QStringLiteral("Kategória"), QStringLiteral("Felnőttre"), QStringLiteral("Gyerekre (75%)")},
                        food);

        QList<QStringList> clothes;
        for (const PriceRow &r : readPrices(session, alias, QStringLiteral("Ruhazkodas.db"), "Clothing_Key"))
            clothes << QStringList{r.category, forint(r.price)};
        html += QStringLiteral("<p><b>Ruházkodás</b>: minden családtagra (felnőttre és gyerekre) a teljes "
                               "ár számít.</p>")
                + table({QStringLiteral("Kategória"), QStringLiteral("Egy főre")}, clothes);

        QList<QStringList> transport;
        QString pass;
        for (const PriceRow &r : readPrices(session, alias, QStringLiteral("Kozlekedes.db"), "Travel_Key")) {
            transport << QStringList{r.category, forint(r.price),
                                     r.key == 1 ? QStringLiteral("fejenként") : QStringLiteral("egyszer, a családnak")};
            if (r.key == 1)
                pass = r.category;
        }
        html += QStringLiteral("<p><b>Közlekedés</b>: %1 minden családtagnak kell; a többi közlekedési "
                               "mód ára egyszer számít az egész családra.</p>")
                    .arg(pass.isEmpty() ? QStringLiteral("az első sor") : QStringLiteral("a(z) ") + pass)
                + table({QStringLiteral("Típus"), QStringLiteral("Havi átlagár"), QStringLiteral("A családnál")},
                        transport);

        const auto activities = [&](const QString &file, const char *key, const QString &title) {
            QList<QStringList> rows;
            for (const PriceRow &r : readPrices(session, alias, file, key))
                if (r.key >= 1 && r.key <= 6)
                    rows << QStringList{r.category, forint(r.price)};
            return QStringLiteral("<p><b>%1</b>: a bejelölt tételek ára összeadódik, a családtagok számától "
                                  "nem függ.</p>")
                       .arg(title)
                   + table({QStringLiteral("Kategória"), QStringLiteral("Havi átlagár")}, rows);
        };
        html += activities(QStringLiteral("Hobbi.db"), "Hobby_Key", QStringLiteral("Hobbi"));
        html += activities(QStringLiteral("Szorakozas.db"), "Entertainment_Key", QStringLiteral("Szórakozás"));
        html += QStringLiteral("<p>Gyerekenként ezen felül havi %1-tal kell számolni.</p>")
                    .arg(forint(double(childCost(session, alias))));
        return html + familyExampleHtml(session, alias);
    });
}

QString familyExampleHtml(zdb::Session *session, const QString &alias)
{
    return orNothing([&] {
        const auto first = [&](const QString &file, const char *key) {
            const QVector<PriceRow> rows = readPrices(session, alias, file, key);
            return rows.isEmpty() ? PriceRow() : rows.first();
        };
        const PriceRow home = first(QStringLiteral("Hazak.DB"), "House_Key");
        const PriceRow food = first(QStringLiteral("Elelmiszerek.DB"), "Food_Key");
        const PriceRow clothes = first(QStringLiteral("Ruhazkodas.db"), "Clothing_Key");
        const PriceRow transport = first(QStringLiteral("Kozlekedes.db"), "Travel_Key");
        budget::Prices prices;
        prices.rezsi = home.rezsi;
        prices.torleszto = home.price;
        prices.food = food.price;
        prices.clothing = clothes.price;
        prices.transport = transport.price;
        const int children = 2;
        const qint64 perChild = childCost(session, alias);
        const budget::FamilyCosts c = budget::familyCosts(prices, transport.key, children, perChild);
        return QStringLiteral(
                   "<h3>Példa: négytagú család (két gyerek)</h3>"
                   "<p>%1, %2 étkezés, %3 ruházkodás, %4, hobbi és szórakozás nélkül:</p><ul>"
                   "<li>élelmiszer: %5 × (2 + 2 × 0,75) = %6</li>"
                   "<li>ruházkodás: %7 × 4 = %8</li>"
                   "<li>közlekedés: %9</li>"
                   "<li>gyerekek: 2 × %14 = %10</li>"
                   "<li>lakás: %11 + %12</li></ul>"
                   "<p>Összesen havonta <b>%13</b>. Ha a család nettó jövedelme legalább 1000&nbsp;Ft-tal "
                   "kevesebb ennél, át kell alakítanod a költségvetést; ha ennyi vagy több, oklevelet kapsz, és a "
                   "különbséget félre is teheted.</p>"
                   "<p>Az első kiértékelés ugyanezeket egy főre számolja: lakás + egy adag élelmiszer, "
                   "ruházkodás és közlekedés + a bejelölt hobbik és szórakozások. A bruttó fizetésedet a "
                   "szakmád bérsávjából sorsolja ki a program ezer forintra kerekítve, és a játék végéig "
                   "megtartja.</p>")
            .arg(home.category, food.category, clothes.category, transport.category, forint(food.price),
                 forint(double(c.food)), forint(clothes.price), forint(double(c.clothing)),
                 transport.key == 1 ? QStringLiteral("%1 × 4 = %2").arg(forint(transport.price), forint(double(c.transport)))
                                    : forint(double(c.transport)))
            .arg(forint(double(c.children)), forint(home.rezsi), forint(home.price), forint(double(c.total)),
                 forint(double(perChild)));
    });
}

}  // namespace haztartas
