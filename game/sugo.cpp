#include "sugo.h"

#include "game.h"

#include <QHBoxLayout>
#include <QHash>
#include <QListWidget>
#include <QRegularExpression>
#include <QTextBrowser>

namespace {

struct Topic {
    int context;
    const char *title;
    const char *html;
};

// Amounts in the examples follow the tables supplied with the game; a teacher who changes
// the tables with the maintenance program changes the results as well.
const Topic kTopics[] = {
    {8, "A nyitóképernyő",
     "<p>Üdvözlünk a <b>Zomir</b> játékban! A játékban kiválasztasz egy szakmát, megtervezed, "
     "hogyan szeretnél élni a családoddal, kiszámolod, mennyit keres a családod egy hónapban, "
     "és megnézed, kijöttök-e belőle.</p>"
     "<ul><li>A <b>bankjegyekre</b> kattintva (vagy <b>Alt+K</b>: <i>Kezdjünk neki</i>) a névválasztó "
     "oldalra jutsz.</li>"
     "<li>Az <b>ajtóra</b> kattintva (vagy <b>Alt+J</b>: <i>Játék vége</i>) kilépsz a programból. "
     "A félbehagyott játékot csak akkor találod meg legközelebb, ha a háztartás utolsó oldalán az "
     "OK gombbal már elmentetted.</li></ul>"},
    {9, "A neved megadása, új játék és betöltés",
     "<p>Írd be a neved a <b>Kérem a nevedet</b> mezőbe, majd lépj tovább (Tab vagy kattintás).</p>"
     "<ul><li><b>Új Játék</b>: új játékot kezdesz. Az ezen a néven tárolt összes korábbi játékod "
     "törlődik, és az érdeklődési teszt következik.</li>"
     "<li><b>Betöltés</b>: csak akkor használható, ha ezen a néven van befejezetlen mentett játékod. "
     "A program megmondja a korábban választott szakmádat, és a <i>Ház</i> oldalon folytathatod a "
     "korábbi választásaiddal.</li>"
     "<li><b>OK</b>: véglegesíti a nevet; utána a játék végéig nem változtathatod meg.</li></ul>"
     "<p>A névből legfeljebb az első 30 betűt menti a program.</p>"},
    {10, "Az érdeklődési teszt",
     "<p>24 állítást olvashatsz. Jelöld be azokat, amelyek igazak rád, vagy amelyeket szívesen "
     "csinálnál. Nincs jó vagy rossz válasz.</p>"
     "<p>Minden állítás egy érdeklődési körhöz tartozik: <b>tárgyak</b> (gépek, eszközök, anyagok), "
     "<b>emberek</b> (segítés, vezetés, együttműködés) vagy <b>ötletek</b> (tervezés, kutatás, "
     "alkotás). A program megszámolja, melyik körből hányat jelöltél, és ez alapján ajánl "
     "szakmákat.</p>"
     "<p>Ha kész vagy, nyomd meg a <b>Kitöltöttem!</b> gombot. Legalább egy állítást meg kell "
     "jelölnöd.</p>"},
    {11, "A pályaválasztás",
     "<p>A teszted alapján a program felkiáltójellel jelöli meg azt a tíz szakmát, amely a "
     "legjobban illik az érdeklődésedhez; a lap tetején azt is leírja, miért.</p>"
     "<ul><li>Egy szakma <b>képére kattintva</b> megnézheted a pályatükrét: mivel jár a munka, "
     "milyen képzés kell hozzá, milyenek a kilátások.</li>"
     "<li>Válassz egy szakmát a neve előtti körrel, majd nyomd meg a <b>Választottam!</b> gombot. "
     "A szakmától függ a fizetésed, a házastársad jövedelme és a gyerekeid száma.</li>"
     "<li>Az <b>Inkább kitöltöm újra!</b> gombbal visszamész a teszthez.</li></ul>"},
    {12, "A háztartás megtervezése",
     "<p>Hat oldalon választod ki, hogyan él a családod: <b>Ház</b>, <b>Élelmiszer</b>, "
     "<b>Ruházkodás</b>, <b>Közlekedés</b>, <b>Hobbi</b> és <b>Szórakozás</b>.</p>"
     "<ul><li>Az első négy oldalon a nyilakkal lapozhatsz; az számít, amelyiknél az OK gombot "
     "megnyomod.</li>"
     "<li>A hobbik és a szórakozások közül a jelölőnégyzetekkel többet is választhatsz; az áraik "
     "összeadódnak.</li>"
     "<li>Az élelmiszer, a ruházkodás és a közlekedés ára <b>egy főre</b> vonatkozik.</li></ul>"
     "<p><b>Első kiértékelés</b>: a program egy főre számolja ki a havi költségeket (lakás rezsije és "
     "törlesztője, étkezés, ruházkodás, közlekedés, hobbik, szórakozás), kinyomtatható kimutatást "
     "mutat, majd kisorsolja a bruttó fizetésedet a szakmád bérsávjából. Ezután a jövedelem "
     "kalkulátorban kiszámolod a család nettó jövedelmét.</p>"
     "<p><b>Második kiértékelés</b>: a költségeket az egész családra számolja: te, a házastársad "
     "és a szakmádhoz tartozó számú gyerek. Felnőttenként a teljes, gyerekenként a 75%-os "
     "élelmiszerárral, fejenként a ruházkodással, gyerekenként további havi 10 000 Ft-tal; a bérlet "
     "ára fejenként, a többi közlekedési mód ára egyszer számít. Ha a család költségei legalább "
     "1000 Ft-tal meghaladják a nettó jövedelmet, át kell alakítanod a költségvetést; különben "
     "oklevelet kapsz.</p>"},
    {1, "A szuperbruttó jövedelem és a jövedelemadó-előleg",
     "<p><b>Szuperbruttó jövedelem</b> = bruttó bér × (1 + munkáltatói járulék). A munkáltatói járulék "
     "27%, tehát 200 000 Ft bruttó bérnél a szuperbruttó 254 000 Ft.</p>"
     "<p><b>Jövedelemadó-előleg (SZJA)</b>:</p><ol>"
     "<li>Az éves adóalap a havi szuperbruttó tizenkétszerese (a példában 3 048 000 Ft).</li>"
     "<li>Az adótábla szerint 5 000 000 Ft-ig az adó 17%; fölötte 850 000 Ft + a többlet 32%-a.</li>"
     "<li>Ebből levonod az <b>adójóváírást</b>: az éves adóalap 17%-a, legfeljebb évi 181 200 Ft. "
     "3 188 000 Ft éves adóalap fölött a jóváírás a többlet 12%-ával csökken, 4 698 000 Ft-tól "
     "pedig nincs jóváírás.</li>"
     "<li>Az így kapott éves adót elosztod 12-vel, és 5 forintra kerekíted (1, 2 lefelé; 3, 4 "
     "felfelé).</li></ol>"
     "<p>Példa 200 000 Ft bruttó bérre: éves adó 3 048 000 × 17% = 518 160 Ft, a jóváírás a "
     "legnagyobb, 181 200 Ft, a maradék 336 960 Ft, havonta 28 080 Ft adóelőleg.</p>"
     "<p>A <b>Havibér kalkulátor</b> (Bér) gyakorlatban pénzérméket és bankjegyeket húzol az "
     "adóhivatal emblémájára: először az adóelőleget fizeted be, majd az <b>Ellenőriz</b> gombbal "
     "ellenőrzöd. A piros X visszaadja a szakaszban befizetett pénzt.</p>"},
    {2, "A munkavállalói járulékok",
     "<p>A bruttó bérből három járulékot vonnak le, mindegyiket külön számold és kerekítsd "
     "egész forintra, majd 5 forintra:</p><ul>"
     "<li><b>Egészségbiztosítási járulék</b>: a bruttó bér 6%-a,</li>"
     "<li><b>Munkavállalói járulék</b>: a bruttó bér 1,5%-a,</li>"
     "<li><b>Nyugdíjbiztosítási járulék</b>: a bruttó bér 9,5%-a.</li></ul>"
     "<p>Például 200 000 Ft bruttó bérnél: 12 000 Ft, 3000 Ft és 19 000 Ft.</p>"
     "<p>A Bér gyakorlatban az adóelőleg után sorban a nyugdíj-, az egészségbiztosítási és a "
     "munkavállalói járulékot fizeted be az emblémára húzott pénzzel.</p>"},
    {3, "Levonások összesen és a nettó fizetés",
     "<p><b>Levonások összesen</b> = jövedelemadó-előleg + egészségbiztosítási járulék + "
     "munkavállalói járulék + nyugdíjbiztosítási járulék, úgy, ahogy a mezőkbe beírtad őket.</p>"
     "<p><b>Nettó fizetés</b> = bruttó bér − levonások összesen. Ennyit kapsz kézhez minden "
     "hónapban.</p>"},
    {4, "A partnered jövedelme",
     "<p>A házastársad havi nettó jövedelmét a program adja meg a választott szakmád adatai "
     "alapján; ezt a mezőt nem kell kitöltened.</p>"},
    {5, "Családi pótlék és családi adókedvezmény",
     "<p><b>Családi pótlék</b>: gyerekenként jár, összege a gyerekek számától függ (egy gyerek: "
     "12 200 Ft; két gyerek: gyerekenként 13 300 Ft; három vagy több: gyerekenként 16 000 Ft). "
     "Az összeget 5 forintra kerekítve írd be. Gyerek nélkül 0 Ft.</p>"
     "<p><b>Családi adókedvezmény</b>: a gyerekek száma szorozva a gyerekenkénti kedvezménnyel "
     "(három vagy több gyereknél gyerekenként 4000 Ft). A kedvezmény nem lehet több, mint az általad "
     "kiszámolt havi adóelőleg.</p>"},
    {6, "A család havi nettó összjövedelme",
     "<p><b>Összjövedelem</b> = nettó fizetés + a partnered nettó jövedelme + családi pótlék + "
     "családi adókedvezmény.</p>"
     "<p>Ha minden mező zöld, a <b>Kiszámoltam!</b> gombbal eltárolod az összeget, és ehhez a "
     "jövedelemhez tervezed meg újra a család életvitelét.</p>"},
    {14, "A család havi költségvetése (kimutatás)",
     "<p>A kimutatás a választott lakás, étkezés, ruházkodás, közlekedés, hobbik és szórakozás "
     "havi költségét mutatja az egész családra, a gyerekek havi 10 000 Ft-os költségével együtt, "
     "és az összeget a család nettó jövedelmével veti össze. A kimutatás kinyomtatható.</p>"},
    {15, "Az oklevél",
     "<p>Gratulálunk! A családod kijön a jövedelméből. Az oklevél a nevedet, a szakmádat és azt "
     "mutatja, mennyit tudtok havonta félretenni. Az oklevél kinyomtatható.</p>"},
};

QHash<int, QString> &personalNotes()
{
    static QHash<int, QString> notes;
    return notes;
}

QList<sugo::TopicAppendix *> &appendices()
{
    static QList<sugo::TopicAppendix *> list;
    return list;
}

const Topic *findTopic(int context)
{
    for (const Topic &topic : kTopics)
        if (topic.context == context)
            return &topic;
    return nullptr;
}

}  // namespace

namespace sugo {

QList<int> contexts()
{
    QList<int> list;
    for (const Topic &topic : kTopics)
        list.append(topic.context);
    return list;
}

QString topicTitle(int context)
{
    const Topic *topic = findTopic(context);
    return topic ? QString::fromUtf8(topic->title) : QString();
}

QString topicHtml(int context)
{
    const Topic *topic = findTopic(context);
    if (!topic)
        return QString();
    // Amounts written with grouped digits ("200 000 Ft") are not broken across lines.
    static const QRegularExpression grouped(QStringLiteral("(\\d) (?=\\d{3}\\b|Ft\\b)"));
    QString html = QString::fromUtf8(topic->html);
    html.replace(grouped, QStringLiteral("\\1&nbsp;"));
    for (const TopicAppendix *appendix : appendices())
        if (appendix->context() == context)
            html += appendix->html();
    return QStringLiteral("<h2>%1</h2>%2%3")
        .arg(QString::fromUtf8(topic->title), html, personalNotes().value(context));
}

void setPersonalNote(int context, const QString &html)
{
    if (html.isEmpty())
        personalNotes().remove(context);
    else
        personalNotes().insert(context, html);
}

TopicAppendix::TopicAppendix(int context, std::function<QString()> html) : m_context(context), m_html(std::move(html))
{
    appendices().append(this);
}

TopicAppendix::~TopicAppendix()
{
    appendices().removeOne(this);
}

}  // namespace sugo

THelpWindow::THelpWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Sugo"));
    setWindowTitle(QStringLiteral("Zomir – Súgó"));
    resize(760, 480);
    gamescreen::applyBackground(this);

    Contents = new QListWidget(this);
    Contents->setObjectName(QStringLiteral("Contents"));
    Contents->setFixedWidth(300);
    for (int context : sugo::contexts()) {
        auto *item = new QListWidgetItem(sugo::topicTitle(context), Contents);
        item->setData(Qt::UserRole, context);
    }
    Text = new QTextBrowser(this);
    Text->setObjectName(QStringLiteral("Text"));

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(Contents);
    layout->addWidget(Text, 1);

    connect(Contents, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            selectTopic(Contents->item(row)->data(Qt::UserRole).toInt());
    });
    selectTopic(sugo::contexts().first());
}

void THelpWindow::selectTopic(int context)
{
    m_context = context;
    Text->setHtml(sugo::topicHtml(context));
    const int row = int(sugo::contexts().indexOf(context));
    if (Contents->currentRow() != row)
        Contents->setCurrentRow(row);
}

void THelpWindow::showTopic(int context, QWidget *asker)
{
    selectTopic(sugo::topicTitle(context).isEmpty() ? sugo::contexts().first() : context);
    const bool onTop = asker && asker->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) != onTop)
        setWindowFlag(Qt::WindowStaysOnTopHint, onTop);   // hides the window; shown again below
    show();
    raise();
    activateWindow();
}
