#include "TFormKdnr.h"

#include "common/HelpContext.h"
#include "common/Prompter.h"
#include "common/WindowScaling.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace {

// Up to ten digits; blanks can stand between them, and such an entry is then
// refused as a number, just as an empty one.
std::optional<qint32> toCustomerNumber(const QString& entry) {
    const QString text = entry.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    bool digitsOnly = true;
    for (const QChar c : text)
        digitsOnly = digitsOnly && c >= u'0' && c <= u'9';
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!digitsOnly || !ok || value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(value);
}

} // namespace

TFormKdnr::TFormKdnr(Prompter& prompter, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , prompter_(prompter)
    , MaskEdit1(new QLineEdit(this)) {
    setObjectName(QStringLiteral("FormKdnr"));
    setWindowTitle(QStringLiteral("Eingabe Kundennummer"));
    help::setContext(*this, help::Archive);

    MaskEdit1->setObjectName(QStringLiteral("MaskEdit1"));
    MaskEdit1->setMaxLength(10);
    MaskEdit1->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9 ]*")), MaskEdit1));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Abbruch"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    cancel->setFocusPolicy(Qt::ClickFocus);
    connect(ok, &QPushButton::clicked, this, &TFormKdnr::Button1Click);
    connect(cancel, &QPushButton::clicked, this, &TFormKdnr::Button2Click);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MaskEdit1);
    layout->addLayout(buttons);
    resize(220, 90);
    scaleWindow(*this);
    // Window managers draw the caption larger and bold beside their title-bar
    // buttons; the window is made wide enough for all of it.
    QFont caption = font();
    caption.setBold(true);
    caption.setPointSizeF(caption.pointSizeF() + 2);
    const int captionRoom = QFontMetrics(caption).horizontalAdvance(windowTitle()) + 4 * 32;
    resize(std::max(width(), captionRoom), height());
}

void TFormKdnr::showEvent(QShowEvent* event) {
    MaskEdit1->clear();
    MaskEdit1->setFocus();
    QDialog::showEvent(event);
}

void TFormKdnr::Button1Click() {
    // Blanks at the end of the entry do not count.
    QString text = MaskEdit1->text();
    while (text.endsWith(u' '))
        text.chop(1);
    const auto number = toCustomerNumber(text);
    if (!number) {
        prompter_.message(QStringLiteral("'%1' ist kein gültiger Integerwert").arg(text),
                          QStringLiteral("Fehler"), Prompter::Buttons::Ok);
        return;
    }
    entered_ = *number;
    accept();
}

void TFormKdnr::Button2Click() {
    reject();
}

std::optional<qint32> TFormKdnr::enterNumber() {
    entered_.reset();
    exec();
    return entered_;
}

void TFormKdnr::reject() {
    entered_.reset();
    QDialog::reject();
}
