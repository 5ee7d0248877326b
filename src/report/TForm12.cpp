#include "TForm12.h"

#include "ProtocolFile.h"
#include "common/HelpContext.h"
#include "common/WindowScaling.h"
#include "report/ReportSession.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

const Prompter::FileDialog TForm12::OpenDialog1{QStringLiteral("Vorlage auswählen"),
                                                QStringLiteral("Protokolldateien (*.pro)|*.pro"),
                                                QStringLiteral("pro"),
                                                {}};

TForm12::TForm12(ReportSession& state, Prompter& prompter, QWidget* parent)
    : QDialog(parent)
    , state_(state)
    , prompter_(prompter) {
    setObjectName(QStringLiteral("Form12"));
    setWindowTitle(QStringLiteral("Protokollerstellung"));
    help::setContext(*this, help::RemoteControlAndReport);

    auto* question = new QLabel(
        QStringLiteral("Wollen Sie ein gespeichertes Protokoll als  Vorlage verwenden ?"), this);
    question->setObjectName(QStringLiteral("Label1"));
    auto* yes = new QPushButton(QStringLiteral("&Ja"), this);
    yes->setObjectName(QStringLiteral("ButtonJa"));
    auto* no = new QPushButton(QStringLiteral("&Nein"), this);
    no->setObjectName(QStringLiteral("ButtonNein"));
    no->setDefault(true);
    connect(yes, &QPushButton::clicked, this, &TForm12::ButtonJaClick);
    connect(no, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(yes);
    buttons->addWidget(no);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(question);
    layout->addLayout(buttons);
    resize(420, 120);
    scaleWindow(*this);
}

void TForm12::ButtonJaClick() {
    if (const auto path = prompter_.openFile(OpenDialog1)) {
        const protocol_file::ReadResult file = protocol_file::readProtocolFile(*path);
        if (file.ok()) {
            state_.protocolFileName = *path;
            protocol_file::readTemplate(file.image, state_.record);
            state_.report.templateUsed = 1;
        } else {
            // A file that is no report leaves the new report empty, as "&Nein" would.
            prompter_.message(file.error, QStringLiteral("Fehler"), Prompter::Buttons::Ok);
        }
    }
    accept();
}
