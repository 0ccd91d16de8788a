// Filling the three report layouts from the evaluation's contents and previewing them.

#include "kiertekeles.h"

#include "dialogs.h"
#include "game.h"

#include <QPainter>
#include <QPrinter>

namespace {

// Until the report layouts are part of the game, a plain page lists what they would show.
void previewLines(Game *game, const QString &title, const QStringList &lines)
{
    game->dialogs()->preview(title, 1, [lines](QPrinter &printer) {
        QPainter painter(&printer);
        const QRect page = painter.viewport();
        painter.drawText(page.adjusted(40, 40, -40, -40), Qt::TextWordWrap, lines.join(QLatin1Char('\n')));
    });
}

QStringList common(const QStringList (&memos)[6])
{
    QStringList lines;
    for (const QStringList &memo : memos)
        lines << memo;
    return lines;
}

}  // namespace

namespace reportfill {

void previewReport1(Game *game, const Report1Content &c)
{
    previewLines(game, QStringLiteral("frmQuickRep"),
                 common(c.memos) << c.szorakozasAr << c.hobbiAr << c.osszeg + QStringLiteral(" Ft"));
}

void previewReport2(Game *game, const Report2Content &c)
{
    previewLines(game, QStringLiteral("frmQuickRep2"),
                 QStringList{c.profession, c.ennyienvagytok} << common(c.memos) << c.elelmiszerAr
                     << c.elelmiszer1Fore << c.ruhazkodasAr << c.ruhazkodas1Fore << c.kozlekedesAr
                     << c.szorakozasAr << c.hobbiAr << c.gyerektext << c.osszeg + QStringLiteral(" Ft"));
}

void previewReport3(Game *game, const Report3Content &c)
{
    previewLines(game, QStringLiteral("frmQuickRep3"), {QStringLiteral("Oklevél"), c.savings});
}

}  // namespace reportfill
