#include "controls/szamologep.h"

#include "controls/dialogs.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

bool CalculatorEngine::press(QChar key)
{
    const bool digit = key >= u'0' && key <= u'9';
    const bool point = key == u'.' || key == u',';
    const bool op = key == u'+' || key == u'-' || key == u'*' || key == u'/';
    if (!digit && !point && !op && key != u'=' && key != u'C' && key != u'<' && key != u'~')
        return false;
    if (m_error && key != u'C') {
        if (!digit && !point)
            return true;  // after an error only a new number or C goes on
        m_error = false;
        m_pending = QChar();
    }
    if (digit || point) {
        if (!m_entering) {
            m_entry = QStringLiteral("0");
            m_entering = true;
        }
        if (point) {
            if (!m_entry.contains(u'.'))
                m_entry += u'.';
        } else if (m_entry.size() < 15) {
            m_entry = m_entry == QLatin1String("0") ? QString(key) : m_entry + key;
        }
        return true;
    }
    if (key == u'C') {
        *this = CalculatorEngine();
        return true;
    }
    if (key == u'<') {
        if (m_entering) {
            m_entry.chop(1);
            if (m_entry.isEmpty() || m_entry == QLatin1String("-"))
                m_entry = QStringLiteral("0");
        }
        return true;
    }
    if (key == u'~') {
        if (m_entry != QLatin1String("0"))
            m_entry = m_entry.startsWith(u'-') ? m_entry.mid(1) : u'-' + m_entry;
        return true;
    }
    // An operator or "=": the pending operation is worked out first.
    if (m_entering || key == u'=')
        apply();
    m_pending = key == u'=' ? QChar() : key;
    m_entering = false;
    return true;
}

double CalculatorEngine::entryValue() const { return m_entry.toDouble(); }

void CalculatorEngine::apply()
{
    const double b = entryValue();
    double r = b;
    if (m_pending == u'+')
        r = m_accumulator + b;
    else if (m_pending == u'-')
        r = m_accumulator - b;
    else if (m_pending == u'*')
        r = m_accumulator * b;
    else if (m_pending == u'/') {
        if (b == 0) {
            m_error = true;
            m_accumulator = 0;
            m_entry = QStringLiteral("0");
            return;
        }
        r = m_accumulator / b;
    }
    if (!std::isfinite(r)) {
        m_error = true;
        m_accumulator = 0;
        m_entry = QStringLiteral("0");
        return;
    }
    m_accumulator = r;
    m_entry = QString::number(r, 'g', 15);
}

QString CalculatorEngine::display() const
{
    if (m_error)
        return QStringLiteral("Hiba");
    QString text = m_entry;
    text.replace(u'.', u',');
    return text;
}

namespace {
// Caption, the key it stands for, row, column.
struct KeyDef {
    const char *caption;
    char key;
    int row, column;
};
const KeyDef kKeys[] = {
    {"C", 'C', 0, 0}, {"\u2190", '<', 0, 1}, {"\u00b1", '~', 0, 2}, {"\u00f7", '/', 0, 3},
    {"7", '7', 1, 0}, {"8", '8', 1, 1},      {"9", '9', 1, 2},      {"\u00d7", '*', 1, 3},
    {"4", '4', 2, 0}, {"5", '5', 2, 1},      {"6", '6', 2, 2},      {"\u2212", '-', 2, 3},
    {"1", '1', 3, 0}, {"2", '2', 3, 1},      {"3", '3', 3, 2},      {"+", '+', 3, 3},
    {"0", '0', 4, 0}, {",", ',', 4, 2},      {"=", '=', 4, 3},
};
const char *spokenName(char key)
{
    switch (key) {
    case 'C': return "Törlés";
    case '<': return "Utolsó számjegy törlése";
    case '~': return "Előjelváltás";
    case '/': return "Osztás";
    case '*': return "Szorzás";
    case '-': return "Kivonás";
    case '+': return "Összeadás";
    case ',': return "Tizedesvessző";
    case '=': return "Egyenlő";
    default: return nullptr;
    }
}
}  // namespace

TSzamologep::TSzamologep(QWidget *parent) : QWidget(parent, Qt::Window | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Szamologep"));
    setWindowTitle(QStringLiteral("Számológép"));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(209, 209, 209));
    setPalette(palette);
    setAutoFillBackground(true);

    Display = new QLabel(QStringLiteral("0"), this);
    Display->setObjectName(QStringLiteral("Display"));
    Display->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Display->setFrameShape(QFrame::Panel);
    Display->setFrameShadow(QFrame::Sunken);
    Display->setAutoFillBackground(true);
    QPalette lcd = Display->palette();
    lcd.setColor(QPalette::Window, QColor(224, 236, 214));
    Display->setPalette(lcd);
    QFont big = Display->font();
    big.setPixelSize(22);
    big.setBold(true);
    Display->setFont(big);
    Display->setMinimumHeight(40);
    Display->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *grid = new QGridLayout;
    grid->setSpacing(4);
    for (const KeyDef &def : kKeys) {
        auto *button = new QPushButton(QString::fromUtf8(def.caption), this);
        button->setObjectName(QStringLiteral("Key_%1").arg(QLatin1Char(def.key)));
        button->setFocusPolicy(Qt::NoFocus);  // the keyboard goes to the window
        button->setMinimumSize(44, 34);
        // A screen reader says the keys of signs in words.
        if (const char *name = spokenName(def.key))
            button->setAccessibleName(QString::fromUtf8(name));
        const QChar key = QLatin1Char(def.key);
        connect(button, &QPushButton::clicked, this, [this, key] { press(key); });
        // "0" takes two columns.
        grid->addWidget(button, def.row, def.column, 1, def.key == '0' ? 2 : 1);
        m_keys.append(button);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Display);
    layout->addLayout(grid);
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(sizeHint().expandedTo(QSize(220, 260)));
}

QPushButton *TSzamologep::key(const QString &caption) const
{
    for (QPushButton *button : m_keys)
        if (button->text() == caption)
            return button;
    return nullptr;
}

void TSzamologep::press(QChar key)
{
    m_engine.press(key);
    Display->setText(m_engine.display());
}

void TSzamologep::keyPressEvent(QKeyEvent *event)
{
    QChar key;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        key = u'=';
        break;
    case Qt::Key_Backspace:
        key = u'<';
        break;
    case Qt::Key_Escape:
    case Qt::Key_Delete:
        key = u'C';
        break;
    default:
        if (!event->text().isEmpty()) {
            key = event->text().at(0);
            if (key == u'x' || key == u'X')
                key = u'*';
            else if (key == u'c')
                key = u'C';
        }
    }
    if (!key.isNull() && m_engine.press(key)) {
        Display->setText(m_engine.display());
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

QStringList desktopCalculators()
{
#ifdef Q_OS_WIN
    return {QStringLiteral("calc.exe")};
#else
    return {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"), QStringLiteral("galculator"),
            QStringLiteral("mate-calc"), QStringLiteral("qalculate-gtk"), QStringLiteral("xcalc")};
#endif
}

TSzamologep *startCalculator(Dialogs *dialogs, QWidget *owner)
{
    for (const QString &program : desktopCalculators())
        if (dialogs->startProgram(program))
            return nullptr;
    auto *window = owner->findChild<TSzamologep *>(QString(), Qt::FindDirectChildrenOnly);
    if (!window) {
        window = new TSzamologep(owner);
        // Beside the window that asked for it, on its right.
        const QRect frame = owner->frameGeometry();
        window->move(frame.right() - window->width() - 20, frame.top() + 60);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}
