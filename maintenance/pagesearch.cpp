#include "maintenance/pagesearch.h"

#include "controls/datasource.h"
#include "controls/errorbox.h"
#include "db/engine.h"
#include "rules/textsearch.h"

#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace {

QString u(const char *text) { return QString::fromUtf8(text); }

}  // namespace

TPageSearch::TPageSearch(TDataSource *source, QWidget *page, const QString &caption)
    : QWidget(page), m_source(source)
{
    m_label = new QLabel(u("&Keresés:"), this);
    m_label->setGeometry(0, 3, 52, 17);
    m_field = new QLineEdit(this);
    m_field->setGeometry(54, 0, 260, 21);
    m_field->setClearButtonEnabled(true);
    m_label->setBuddy(m_field);
    const QString hint = u("Keresés a(z) „%1” lap rekordjai között bármely szövegük szerint (ékezet és kis-nagybetű "
                           "nem számít); Enter vagy F3: a következő találat")
                             .arg(caption);
    m_field->setStatusTip(hint);
    m_field->setToolTip(hint);
    m_field->setPlaceholderText(u("keresett szöveg"));
    m_field->setAccessibleName(u("Keresés a(z) „%1” lapon").arg(caption));
    m_field->setAccessibleDescription(hint);
    resize(314, 21);

    connect(m_field, &QLineEdit::returnPressed, this, &TPageSearch::findNext);
    connect(m_field, &QLineEdit::textChanged, this, &TPageSearch::textEdited);
}

QStringList TPageSearch::rowTexts(const TDataSource *source, int row)
{
    QStringList texts;
    zdb::Table *table = source->dataSet();
    for (int f = 0; f < table->fieldCount(); ++f) {
        const zdb::FieldType type = table->fieldType(f);
        if (type == zdb::FieldType::Graphic || type == zdb::FieldType::Boolean)
            continue;
        const QString stored = table->textAt(row, f);
        texts.append(stored);
        const QString shown = table->displayTextAt(row, f);
        if (shown != stored)
            texts.append(shown);
    }
    return texts;
}

void TPageSearch::textEdited() { m_fromCurrent = true; }

void TPageSearch::focusField()
{
    m_field->setFocus(Qt::ShortcutFocusReason);
    m_field->selectAll();
}

void TPageSearch::findNext()
{
    guarded([this] {
        const QString wanted = m_field->text().trimmed();
        if (wanted.isEmpty()) {
            Q_EMIT message(u("Írja be a keresett szöveget a „Keresés” mezőbe."));
            return;
        }
        zdb::Table *table = m_source->dataSet();
        if (!table || !table->active())
            return;
        // An edit is stored (or an unchanged one dropped) before the rows are searched, as a
        // move of the navigator would: a stored insert or a changed order field moves rows,
        // and the row found must be the one moved to.
        if (table->editing()) {
            m_source->updateRecord();
            if (table->modified())
                m_source->post();
            else
                m_source->cancel();
        }
        const int rows = table->recordCount();
        const int current = std::max(0, table->currentRow());
        const int from = m_fromCurrent ? current : current + 1;
        const textsearch::Match match =
            textsearch::findFrom(rows, from, wanted, [this](int row) { return rowTexts(m_source, row); });
        if (match.row < 0) {
            Q_EMIT message(u("Nincs találat: „%1”").arg(wanted));
            return;
        }
        table->setRecNo(match.row + 1);
        m_fromCurrent = false;
        QString text = u("Találat: %1. rekord a(z) %2 közül").arg(match.row + 1).arg(rows);
        if (match.wrapped)
            text += u(" (a keresés az elejéről folytatódott)");
        Q_EMIT message(text);
    });
}
