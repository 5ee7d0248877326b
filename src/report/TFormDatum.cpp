#include "TFormDatum.h"

#include "DateEntry.h"
#include "common/HelpContext.h"
#include "common/Prompter.h"
#include "common/TitleBar.h"
#include "common/WindowScaling.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
QLabel* label(QWidget* parent, const char* name, const QString& text) {
    auto* created = new QLabel(text, parent);
    created->setObjectName(QLatin1String(name));
    return created;
}
} // namespace

TFormDatum::TFormDatum(Prompter& prompter, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowMinMaxButtonsHint)
    , prompter_(prompter)
    , Label1(label(this, "Label1", {}))
    , LabelWo(label(this, "LabelWo", QStringLiteral("Nächster Prüfungstermin:")))
    , LabelDatum(label(this, "LabelDatum", {}))
    , MaskEdit1(new QLineEdit(this)) {
    setObjectName(QStringLiteral("FormDatum"));
    removeSystemMenu(*this);
    setWindowTitle(QStringLiteral("Format Datum"));
    help::setContext(*this, help::RemoteControlAndReport);

    MaskEdit1->setObjectName(QStringLiteral("MaskEdit1"));
    // Digits are optional in the mask so that an incomplete entry reaches the
    // check below and gets its message.
    MaskEdit1->setInputMask(QStringLiteral("00.00.0000;_"));
    auto* next = new QPushButton(QStringLiteral("&Weiter"), this);
    next->setObjectName(QStringLiteral("Button1"));
    next->setDefault(true);
    connect(next, &QPushButton::clicked, this, &TFormDatum::Button1Click);

    auto* layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0, 1, 2);
    layout->addWidget(LabelWo, 1, 0);
    layout->addWidget(LabelDatum, 1, 1);
    layout->addWidget(label(this, "Label2",
                            QStringLiteral("Bitte neu eingeben im Format: TTMMJJJJ    "
                                           "(Beispiel: 05.01.2001)")),
                      2, 0, 1, 2);
    layout->addWidget(label(this, "Label3", QStringLiteral("(Eingabe ohne Punkt)")), 3, 0, 1, 2);
    layout->addWidget(MaskEdit1, 4, 0);
    layout->addWidget(next, 5, 1, Qt::AlignRight);

    resize(506, 232);
    scaleWindow(*this);
}

QString TFormDatum::askDate(const DateQuestion& question) {
    present(question);
    exec();
    return entered_;
}

void TFormDatum::present(const DateQuestion& question) {
    Label1->setText(QStringLiteral("ungültiges Datum in Datei ") + question.fileName);
    MaskEdit1->clear();
    MaskEdit1->setFocus();
    LabelDatum->setText(question.rejected);
    LabelWo->setText(question.kind == DateKind::NextTest
                         ? QStringLiteral("nächster Prüfungstermin:")
                         : QStringLiteral("Datum:"));
    entered_ = question.rejected;
}

void TFormDatum::Button1Click() {
    const QString text = MaskEdit1->text();
    if (const auto problem = checkDateEntry(text)) {
        prompter_.message(*problem, QStringLiteral("Fehler"), Prompter::Buttons::Ok);
        return;
    }
    entered_ = text;
    accept();
}
