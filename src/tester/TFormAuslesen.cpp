#include "TFormAuslesen.h"

#include "ShortcutButton.h"
#include "common/HelpContext.h"
#include "common/Prompter.h"
#include "common/WindowScaling.h"
#include "report/ReportState.h"
#include "tester/TesterState.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextBlock>
#include <QTimer>

namespace {
const QString kLegend = QStringLiteral("   Nr.   Skl      Prüfung      Meßwerte ");
} // namespace

TFormAuslesen::TFormAuslesen(TesterState& state, ReportState& report, Prompter& prompter,
                             SerialLine& line, QWidget* parent)
    : QDialog(parent)
    , state_(state)
    , report_(report)
    , prompter_(prompter)
    , link_(line)
    , Label1(new QLabel(kLegend, this))
    , Label2(new QLabel(this))
    , Memo1(new QPlainTextEdit(this))
    , ProgressBar1(new QProgressBar(this))
    , Timer1(new QTimer(this)) {
    setObjectName(QStringLiteral("FormAuslesen"));
    setWindowTitle(QStringLiteral("Meßwertspeicher auslesen"));
    help::setContext(*this, help::Archive);

    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(32, 16);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->move(424, 16);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setGeometry(32, 48, 529, 193);
    QFont courier(QStringLiteral("Courier New"));
    courier.setStyleHint(QFont::Monospace);
    Memo1->setFont(courier);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ButtonUebernahme = addButton("ButtonUebernahme", QStringLiteral("&Übernehmen"), 32,
                                 &TFormAuslesen::ButtonUebernahmeClick);
    ButtonWeiter = addButton("ButtonWeiter", QStringLiteral("Weiter->"), 32,
                             &TFormAuslesen::ButtonWeiterClick);
    ButtonEntfernen = addButton("ButtonEntfernen", QStringLiteral("&markierte Daten entfernen"),
                                208, &TFormAuslesen::ButtonEntfernenClick);
    addButton("ButtonEnde", QStringLiteral("&Abbruch"), 496, &TFormAuslesen::ButtonEndeClick);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(24, 304, 545, 17);
    ProgressBar1->setRange(0, 100);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &TFormAuslesen::ButtonEndeClick);
    resize(600, 340);
    scaleWindow(*this);
}

QPushButton* TFormAuslesen::addButton(const char* name, const QString& caption, int left,
                                      void (TFormAuslesen::*click)()) {
    auto* button = new ShortcutButton(caption, this);
    button->setObjectName(QLatin1String(name));
    button->move(left, 264);
    button->resize(std::max(button->sizeHint().width(), 75), 25);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, click);
    return button;
}

void TFormAuslesen::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Read once the window is on the screen, so that the user sees it work.
    QTimer::singleShot(0, this, &TFormAuslesen::readMemory);
}

void TFormAuslesen::closeSoon() {
    Timer1->start();
}

void TFormAuslesen::readMemory() {
    state_.readoutHandover.clear();
    ReadoutSession session(link_, state_.connection, report_, prompter_, *this);
    std::optional<ReadoutPages> pages = session.read(state_.memorySoftwareVersion);
    if (!pages) {
        closeSoon();
        return;
    }
    pages_ = std::move(*pages);
    showPage();
}

void TFormAuslesen::showPreparing() {
    ButtonUebernahme->setEnabled(false);
    ButtonUebernahme->hide();
    ButtonWeiter->setEnabled(false);
    ButtonWeiter->hide();
    ProgressBar1->show();
    Label1->setText(kLegend);
    Label2->clear();
}

void TFormAuslesen::showLegend(const QString& text) {
    Label1->setText(text);
}

void TFormAuslesen::showInformation(const QString& text) {
    Label2->setText(text);
}

void TFormAuslesen::showReady() {
    Label1->adjustSize();
    Label2->adjustSize();
    ButtonUebernahme->setEnabled(true);
    ButtonEntfernen->setEnabled(true);
    ButtonEntfernen->show();
    Memo1->clear();
}

void TFormAuslesen::addLine(const QString& line) {
    Memo1->appendPlainText(line);
}

void TFormAuslesen::showProgress(int percent) {
    ProgressBar1->setValue(percent);
}

void TFormAuslesen::showRead() {
    Memo1->clear();
    ProgressBar1->hide();
}

void TFormAuslesen::showPage() {
    ButtonUebernahme->setEnabled(false);
    ButtonUebernahme->hide();
    ButtonWeiter->setEnabled(true);
    ButtonWeiter->show();
    Memo1->setPlainText(pages_.nextPage().join(u'\n'));
}

void TFormAuslesen::ButtonEntfernenClick() {
    QTextCursor cursor = Memo1->textCursor();
    if (!cursor.hasSelection()) {
        prompter_.message(QStringLiteral("Sie haben nichts markiert! "), QStringLiteral("Hinweis"),
                          Prompter::Buttons::Ok);
        return;
    }
    // Whole lines go, from the one the selection starts in to the one it ends in.
    QTextDocument* text = Memo1->document();
    const QTextBlock first = text->findBlock(cursor.selectionStart());
    const QTextBlock last =
        text->findBlock(std::max(cursor.selectionEnd() - 1, cursor.selectionStart()));
    cursor.setPosition(first.position());
    cursor.setPosition(last.position() + last.length() - 1, QTextCursor::KeepAnchor);
    Memo1->setTextCursor(cursor);
    if (prompter_.message(QStringLiteral("Markierte Zeilen entfernen? "),
                          QStringLiteral("Bestätigung"),
                          Prompter::Buttons::YesNo) != Prompter::Answer::Yes)
        return;
    QStringList lines = Memo1->toPlainText().split(u'\n');
    lines.erase(lines.begin() + first.blockNumber(), lines.begin() + last.blockNumber() + 1);
    Memo1->setPlainText(lines.join(u'\n'));
    if (Memo1->toPlainText().isEmpty()) {
        ButtonUebernahme->setEnabled(false);
        ButtonEntfernen->setEnabled(false);
    }
}

void TFormAuslesen::ButtonWeiterClick() {
    const QString text = Memo1->toPlainText();
    if (!text.isEmpty())
        pages_.keep(text.split(u'\n'));
    if (pages_.hasMore()) {
        showPage();
        return;
    }
    ButtonUebernahme->setEnabled(true);
    ButtonUebernahme->show();
    ButtonWeiter->setEnabled(false);
    ButtonWeiter->hide();
    ButtonEntfernen->hide();
    Memo1->setPlainText(QStringLiteral(" Mit der Taste Übernehmen werden die\n"
                                       " eingelesenen Daten in das Archiv übernommen"));
}

void TFormAuslesen::ButtonUebernahmeClick() {
    state_.readoutHandover = pages_.kept();
    pages_ = ReadoutPages();
    Timer1->stop();
    accept();
}

void TFormAuslesen::ButtonEndeClick() {
    reject();
}

void TFormAuslesen::reject() {
    ProgressBar1->setValue(0);
    state_.readoutHandover.clear();
    pages_ = ReadoutPages();
    Timer1->stop();
    QDialog::reject();
}
