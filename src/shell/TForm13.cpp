#include "TForm13.h"

#include "MyVersionInfo.h"
#include "common/WindowScaling.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kClientWidth = 364;
constexpr int kClientHeight = 284;
// Room for the data folder below the original box.
constexpr int kDataFolderHeight = 52;
} // namespace

TForm13::TForm13(const MyVersionInfo& versionInfo, const QString& dataFolder, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("Form13"));
    setWindowTitle(QStringLiteral("Über dieses Programm"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);

    QLabel* title = addLabel("Label1", QStringLiteral("ZT 0701/0702 - PC Software "));
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSize(titleFont.pointSize() + 4);
    title->setFont(titleFont);
    addLabel("Label7", QStringLiteral("Release 3.") + QString::number(9));
    addLabel("Label8", QStringLiteral("März 2010"));
    const VersionTexts texts = versionTexts(versionInfo);
    addLabel("Version", texts.version);
    addLabel("Comments", texts.comments);
    layout->addSpacing(8);
    addLabel("Label4", QStringLiteral("Fragen und Hinweise bitte an:"));
    addLabel("Label2", QStringLiteral("Veltrax, Gerätetester-Service"));
    addLabel("Label3", QStringLiteral("Telefon und Fax: siehe Bedienungsanleitung"));
    layout->addSpacing(8);
    addLabel("Label5", QStringLiteral("Das Programm verwendet die Komponente XPrint 1.4"));
    addLabel("Label6", QStringLiteral("XPrint hier nachgebildet auf Qt PrintSupport"));
    layout->addSpacing(8);
    addLabel("DataFolderCaption", QStringLiteral("Die Daten liegen im Ordner:"));
    QLabel* folder = addLabel("DataFolder", QDir::toNativeSeparators(dataFolder));
    folder->setWordWrap(true);
    folder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addStretch();

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignHCenter);

    setFixedSize(kClientWidth, kClientHeight + kDataFolderHeight);
    scaleWindow(*this);
    setFixedSize(size());
}

QLabel* TForm13::addLabel(const char* name, const QString& text) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignHCenter);
    layout()->addWidget(label);
    return label;
}
