#include "TForm9.h"

#include "Vocabulary.h"
#include "WizardFields.h"
#include "addresses/CustomerTable.h"
#include "common/HelpContext.h"
#include "common/TitleBar.h"
#include "common/TypingLimitEdit.h"
#include "common/WindowScaling.h"
#include "report/ReportSession.h"
#include "tables/TableCursor.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cstdlib>

namespace {

constexpr int kButtonTop = 336;
constexpr int kBackLeft = 392;
constexpr int kNextLeft = 488;

// Captions are wider in some fonts than in the one the window was laid out
// for; a control then moves right of its label instead of covering it. An edit
// keeps its right edge, a check box its width.
void placeBeside(QWidget& widget, const QLabel* label, int left, int top, int width) {
    const int labelEnd = label ? label->x() + label->sizeHint().width() + 4 : 0;
    if (labelEnd > left) {
        if (qobject_cast<QLineEdit*>(&widget))
            width -= labelEnd - left;
        left = labelEnd;
    }
    widget.setGeometry(left, top, std::max(width, 40), widget.sizeHint().height());
}

// A label on the row of an edit reads best on the edit's text line.
void centreOn(QLabel& label, const QWidget& edit) {
    label.move(label.x(), edit.y() + (edit.height() - label.height()) / 2);
}

} // namespace

TForm9::TForm9(ReportSession& state, Prompter& prompter, TableStore& tables, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowMinMaxButtonsHint)
    , state_(state)
    , prompter_(prompter)
    , Table1(std::make_unique<TableCursor>(tables, QStringLiteral("kunden"))) {
    setObjectName(QStringLiteral("Form9"));
    removeSystemMenu(*this);
    setWindowTitle(QStringLiteral("Protokoll erstellen"));
    help::setContext(*this, help::RemoteControlAndReport);
    buildPage1();
    buildPage2();
    buildPage3();
    showPage(1);
    resize(610, 400);
    scaleWindow(*this);

    customer_table::ensureIndexes(*Table1, false);
    Table1->close();
}

TForm9::~TForm9() = default;

void TForm9::setDialogs(QDialog* templateQuestion, CustomerLookup customerLookup) {
    templateQuestion_ = templateQuestion;
    customerLookup_ = std::move(customerLookup);
}

QLabel* TForm9::addLabel(int page, const char* name, const QString& caption, int left, int top) {
    auto* label = new QLabel(caption, this);
    label->setObjectName(QLatin1String(name));
    label->move(left, top);
    label->adjustSize();
    pages_[page].append(label);
    return label;
}

QPushButton* TForm9::addButton(int page, const char* name, const QString& caption, int left,
                               void (TForm9::*click)()) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(left, kButtonTop, 75, 25);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, click);
    pages_[page].append(button);
    return button;
}

void TForm9::placeAfterLabel(QWidget& widget, int page, int left, int top, int width) {
    QLabel* beside = nullptr;
    for (QWidget* other : std::as_const(pages_[page]))
        if (auto* label = qobject_cast<QLabel*>(other);
            label && std::abs(label->y() - top) <= 8 && label->x() < left)
            beside = label;
    placeBeside(widget, beside, left, top, width);
    if (beside)
        centreOn(*beside, widget);
}

QLineEdit* TForm9::edit(const char* name) const {
    return findChild<QLineEdit*>(QLatin1String(name));
}

void TForm9::buildPage1() {
    addLabel(1, "Label1", QStringLiteral("Prüfprotokoll für elektrische Geräte    "), 16, 16);
    addLabel(1, "Label2", QStringLiteral("Auftrag Nr."), 320, 16);
    addLabel(1, "Label3", QStringLiteral("Auftraggeber (Kunde)"), 16, 40);
    addLabel(1, "Label4", QStringLiteral("Auftragnehmer"), 320, 40);
    addLabel(1, "Label5", QStringLiteral("Geräteart"), 16, 168);
    addLabel(1, "Label6", QStringLiteral("Hersteller"), 290, 168);
    addLabel(1, "Label7", QStringLiteral("Typenbezeichnung"), 16, 208);
    addLabel(1, "Label8", QStringLiteral("Serien-Nr."), 16, 248);
    addLabel(1, "Label9", QStringLiteral("Nennspannung [V]"), 16, 288);
    addLabel(1, "Label10", QStringLiteral("Nennstrom [A]"), 240, 288);
    addLabel(1, "Label11", QStringLiteral("Nennleistung [W]"), 16, 328);
}

void TForm9::buildPage2() {
    addLabel(2, "Label12", QStringLiteral("Kundenangaben (Fehler):"), 16, 16);
    addLabel(2, "Label13", QStringLiteral("Durchgeführte Reparaturarbeiten:"), 16, 120);
    addLabel(2, "Label14", QStringLiteral("Besichtigung"), 16, 216);
    for (int i = 0; i < vocabulary::kInspectionItems; ++i) {
        const QByteArray name = "Label" + QByteArray::number(24 + i);
        addLabel(2, name.constData(), QStringLiteral("Besichtigung %1").arg(i + 1), 112,
                 216 + 24 * i);
    }
    LabelPruefung = addLabel(2, "LabelPruefung", {}, 16, 288);
    LabelKlasse = addLabel(2, "LabelKlasse", {}, 16, 312);
}

void TForm9::buildPage3() {
    addLabel(3, "Label15", QStringLiteral("Messung"), 16, 16);
    const int columns[] = {16, 195, 370};
    for (int i = 0; i < 3; ++i) {
        const QByteArray n = QByteArray::number(i + 1);
        LabelMess[i] = addLabel(3, "LabelMess" + n, {}, columns[i], 40);
        LabelEinheit[i] = addLabel(3, "LabelEinheit" + n, {}, columns[i], 56);
        LabelWert[i] = addLabel(3, "LabelWert" + n, {}, columns[i], 85);
    }
    for (int i = 0; i < vocabulary::kStatements; ++i) {
        const QByteArray name = "Label" + QByteArray::number(20 + i);
        addLabel(3, name.constData(), QStringLiteral("Satz %1:").arg(i + 1), 50, 168 + 16 * i);
    }
    addLabel(3, "Label16", QStringLiteral("Nächster Prüfungstermin:"), 16, 248);
    Label17 = addLabel(3, "Label17", {}, 16, 288);
    addLabel(3, "Label18", QStringLiteral("Ort"), 16, 320);
    addLabel(3, "Label19", QStringLiteral("Datum"), 232, 320);

    // Edits and boxes come after the labels so that they can keep clear of them.
    QList<QWidget*> tabOrder[4];
    for (const wizard_fields::TextField& field : wizard_fields::kTextFields) {
        // A longer text from a file or a row stays whole; only typing is limited.
        auto* line = new TypingLimitEdit(field.typingLimit, this);
        line->setObjectName(QLatin1String(field.control));
        placeAfterLabel(*line, field.page, field.left, field.top, field.width);
        pages_[field.page].append(line);
        tabOrder[field.page].append(line);
        if (field.page == 1)
            line->installEventFilter(this);
    }
    for (int i = 0; i < 7; ++i) {
        const bool inspection = i < vocabulary::kInspectionItems;
        auto* box = new QCheckBox(inspection ? vocabulary::inspectionCaption(i + 1)
                                             : vocabulary::statementText(i - 2),
                                  this);
        box->setObjectName(QStringLiteral("CheckBox%1").arg(i + 1));
        const int page = inspection ? 2 : 3;
        placeAfterLabel(*box, page, inspection ? 184 : 90,
                        inspection ? 216 + 24 * i : 168 + 16 * (i - 3), box->sizeHint().width());
        checkBoxes_[i] = box;
        pages_[page].append(box);
        tabOrder[page].append(box);
    }
    tabOrder[1].append(addButton(1, "ButtonWeiter", QStringLiteral("&Weiter"), kNextLeft,
                                 &TForm9::ButtonWeiterClick));
    tabOrder[2].append(addButton(2, "ButtonZurueck2", QStringLiteral("&Zurück"), kBackLeft,
                                 &TForm9::ButtonZurueck2Click));
    tabOrder[2].append(addButton(2, "ButtonWeiter2", QStringLiteral("&Weiter"), kNextLeft,
                                 &TForm9::ButtonWeiter2Click));
    tabOrder[3].append(addButton(3, "ButtonZurueck3", QStringLiteral("&Zurueck"), kBackLeft,
                                 &TForm9::ButtonZurueck3Click));
    tabOrder[3].append(addButton(3, "ButtonWeiter3", QStringLiteral("&Weiter"), kNextLeft,
                                 &TForm9::ButtonWeiter3Click));
    for (const QList<QWidget*>& order : tabOrder)
        for (qsizetype i = 1; i < order.size(); ++i)
            setTabOrder(order[i - 1], order[i]);
}

void TForm9::showPage(int page) {
    for (int p = 1; p <= 3; ++p)
        for (QWidget* widget : std::as_const(pages_[p])) {
            widget->setVisible(p == page);
            widget->setEnabled(p == page);
        }
    // "mängelfrei" cannot be claimed for a device the measurement failed.
    checkBoxes_[3]->setEnabled(page == 3 && state_.report.notInOrder == 0);
    if (page == 3)
        Label17->setText(
            QStringLiteral("Verwendetes Prüfgerät: Zuzoradizizu RU 0701-0702 Veltrax"));
    Label17->adjustSize();
    if (!pages_[page].isEmpty())
        for (QWidget* widget : std::as_const(pages_[page]))
            if (qobject_cast<QLineEdit*>(widget) || qobject_cast<QCheckBox*>(widget)) {
                widget->setFocus();
                break;
            }
}

void TForm9::showEvent(QShowEvent* event) {
    activate();
    QDialog::showEvent(event);
}

void TForm9::activate() {
    ReportState& report = state_.report;
    Protokoll& record = state_.record;
    confirmStatement_ = false;
    setWindowTitle(QStringLiteral("Protokoll erstellen"));
    for (const wizard_fields::TextField& field : wizard_fields::kTextFields)
        edit(field.control)->clear();
    edit("Nehmer1")->setText(report.contractorLine1);
    edit("Nehmer2")->setText(report.contractorLine2);
    edit("Nehmer3")->setText(report.contractorLine3);

    report.templateUsed = 0;
    if (report.newReport == 1 && templateQuestion_)
        templateQuestion_->exec();

    if (report.newReport == 0 || report.templateUsed == 1) {
        setWindowTitle(QStringLiteral("Protokoll bearbeiten"));
        for (const wizard_fields::TextField& field : wizard_fields::kTextFields) {
            QLineEdit* line = edit(field.control);
            // A contractor default, where there is one, wins over the record's.
            if (!wizard_fields::isContractorLine(field) || line->text().isEmpty())
                line->setText(record.*field.member);
        }
        for (int i = 0; i < 7; ++i)
            if (record.*wizard_fields::kCheckMembers[i] != 0)
                checkBoxes_[i]->setChecked(true);
    }

    for (QString& value : report.values)
        value = wizard_fields::cleanMeasuredValue(value);
    for (int i = 0; i < 3; ++i)
        LabelWert[i]->setText(report.values[i]);

    // An edited report keeps the verdict it was opened with; a failed value below still makes
    // it "not in order".
    if (report.newReport == 0 && report.templateUsed == 0)
        confirmStatement_ = !checkBoxes_[3]->isChecked();
    for (const QString& value : report.values)
        if (wizard_fields::measurementFailed(value)) {
            checkBoxes_[3]->setChecked(false);
            report.notInOrder = 1;
        }

    if (const auto layout = vocabulary::measurementLayout(report.protectionClass, report.testKind,
                                                          report.niso, report.diff))
        for (int i = 0; i < 3; ++i) {
            LabelMess[i]->setText(layout->names[i]);
            LabelEinheit[i]->setText(vocabulary::unitDisplayText(layout->units[i]));
        }
    if (const auto caption = vocabulary::classCaption(report.protectionClass))
        LabelKlasse->setText(*caption);
    if (const auto caption = vocabulary::testKindCaption(report.testKind, report.oldNorm))
        LabelPruefung->setText(*caption);
    for (QLabel* label : findChildren<QLabel*>())
        label->adjustSize();
    showPage(1);
}

void TForm9::ButtonWeiterClick() {
    showPage(2);
}

void TForm9::ButtonZurueck2Click() {
    showPage(1);
}

void TForm9::ButtonWeiter2Click() {
    showPage(3);
}

void TForm9::ButtonZurueck3Click() {
    showPage(2);
}

void TForm9::ButtonWeiter3Click() {
    if (confirmStatement_ && checkBoxes_[3]->isChecked() &&
        prompter_.message(QStringLiteral("Wollen Sie die Zeile 'Funktions- und "
                                         "Sicherheitsprüfung mängelfrei' wirklich ankreuzen ?"),
                          QStringLiteral("Sicherheitsabfrage"),
                          Prompter::Buttons::YesNo) == Prompter::Answer::No)
        return;
    accept();
}

void TForm9::keyPressEvent(QKeyEvent* event) {
    // The wizard has no way to cancel: Escape must not end it half-way.
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

bool TForm9::eventFilter(QObject* watched, QEvent* event) {
    const bool doubleClick = event->type() == QEvent::MouseButtonDblClick;
    const bool ctrlL = event->type() == QEvent::KeyPress &&
                       static_cast<QKeyEvent*>(event)->key() == Qt::Key_L &&
                       static_cast<QKeyEvent*>(event)->modifiers() & Qt::ControlModifier;
    if (!doubleClick && !ctrlL)
        return QDialog::eventFilter(watched, event);
    const QString name = watched->objectName();
    if (name.startsWith(QLatin1String("Kunde")))
        lookUpCustomer();
    else if (name.startsWith(QLatin1String("Nehmer")))
        lookUpContractor();
    else
        return QDialog::eventFilter(watched, event);
    return true;
}

void TForm9::lookUpCustomer() {
    if (!customerLookup_)
        return;
    const std::optional<CustomerChoice> choice = customerLookup_();
    if (!choice)
        return;
    edit("Kunde1")->setText(choice->name);
    edit("Kunde2")->setText(choice->place);
    edit("Kunde3")->setText(choice->street);
}

void TForm9::lookUpContractor() {
    if (!Table1->open())
        return;
    if (const auto contractor = customer_table::readContractor(*Table1)) {
        edit("Nehmer1")->setText(contractor->name);
        edit("Nehmer2")->setText(contractor->place);
        edit("Nehmer3")->setText(contractor->street);
    }
    Table1->close();
}

void TForm9::writeRecord() {
    Protokoll& record = state_.record;
    for (const wizard_fields::TextField& field : wizard_fields::kTextFields)
        record.*field.member = edit(field.control)->text();
    for (int i = 0; i < 7; ++i)
        record.*wizard_fields::kCheckMembers[i] = checkBoxes_[i]->isChecked() ? 1 : 0;
    // Class, wording, measurement names, units, values, Diff, Niso and verdict.
    vocabulary::fillDerivedMembers(record, state_.report);
}

void TForm9::done(int result) {
    writeRecord();
    for (QCheckBox* box : checkBoxes_)
        box->setChecked(false);
    showPage(1);
    QDialog::done(result);
}
