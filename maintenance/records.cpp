#include "maintenance/records.h"

#include "db/engine.h"
#include "rules/taxyear.h"
#include "rules/usererror.h"

#include <QBuffer>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QPainter>

#include <stdexcept>

namespace maint {

namespace {

QString quoted(const QString &name) { return QString::fromUtf8("„%1”").arg(name); }

// The name the user knows a field by: its display label; for a field without one, the
// title of its grid column or the caption of its edit on the page.
QString label(zdb::Table &table, const QString &field)
{
    static const QHash<QString, QString> captions = {
        {QStringLiteral("Brutto_min"), QString::fromUtf8("Bruttó (min)")},
        {QStringLiteral("Brutto_max"), QString::fromUtf8("Bruttó (max)")},
        {QStringLiteral("Hazastars_netto"), QString::fromUtf8("Házastárs nettó")},
        {QStringLiteral("Gyerekszam"), QString::fromUtf8("Gyerekszám")},
        {QStringLiteral("Ajkulcs"), QString::fromUtf8("Adójóváírás kulcsa (%)")}};
    const zdb::Field f = table.fieldByName(field);
    const QString shown = f.displayLabel();
    return shown.isEmpty() || shown == f.fieldName() ? captions.value(field, f.fieldName()) : shown;
}

// A number field's value; an empty field counts as `whenEmpty`.
double number(zdb::Table &table, const QString &field, double whenEmpty)
{
    const zdb::Field f = table.fieldByName(field);
    return f.isNull() ? whenEmpty : f.asFloat();
}

}  // namespace

QByteArray pictureFileAsBitmap(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QString::fromUtf8("A kép nem olvasható be: %1\n%2").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (bytes.startsWith("BM")) {
        // Already a Windows bitmap: stored unchanged, as long as it decodes.
        QImage probe;
        if (probe.loadFromData(bytes, "BMP"))
            return bytes;
    }
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull())
        fail(QString::fromUtf8("A(z) %1 fájl nem kép, vagy ilyen formátumú képet a program nem ismer: "
                                 "a kép nem töltődött be.")
                   .arg(path));
    QByteArray bmp;
    QBuffer out(&bmp);
    out.open(QIODevice::WriteOnly);
    // Bitmaps carry no transparency the programs would show: flatten onto white.
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    {
        QPainter painter(&flat);
        painter.drawImage(0, 0, image);
    }
    if (!flat.save(&out, "BMP"))
        fail(QString::fromUtf8("A kép nem alakítható bitképpé: %1").arg(path));
    return bmp;
}

void checkProfession(zdb::Table &table)
{
    for (const char *field : {"Brutto_min", "Brutto_max", "Hazastars_netto", "Gyerekszam"}) {
        const QString name = QString::fromLatin1(field);
        if (number(table, name, 0) < 0)
            fail(QString::fromUtf8("A(z) %1 értéke nem lehet negatív.").arg(quoted(label(table, name))));
    }
    const zdb::Field low = table.fieldByName(QStringLiteral("Brutto_min"));
    const zdb::Field high = table.fieldByName(QStringLiteral("Brutto_max"));
    if (!low.isNull() && !high.isNull() && high.asFloat() < low.asFloat())
        fail(QString::fromUtf8("A(z) %1 nem lehet kisebb, mint a(z) %2.")
                   .arg(quoted(label(table, QStringLiteral("Brutto_max"))),
                        quoted(label(table, QStringLiteral("Brutto_min")))));
}

void checkContributions(zdb::Table &table, int taxYear)
{
    // A year without the tax credit leaves its rate empty or zero.
    const payroll::RuleSet *rules = payroll::ruleSetFor(taxYear);
    if (rules && !rules->usesTaxCredit())
        return;
    const QString field = QStringLiteral("Ajkulcs");
    if (number(table, field, 0) == 0)
        fail(QString::fromUtf8("A(z) %1 nem lehet nulla vagy üres: az adójóváírás ezzel nem számítható ki.")
                   .arg(quoted(label(table, field))));
}

}  // namespace maint
