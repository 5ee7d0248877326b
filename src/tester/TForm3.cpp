#include "TForm3.h"

#include "ShortcutButton.h"
#include "TesterBytes.h"
#include "common/HelpContext.h"
#include "common/WindowScaling.h"
#include "report/ReportSession.h"
#include "tester/TesterConnection.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace {
constexpr int kWidth = 544;
constexpr int kHeight = 250;
constexpr int kStatusHeight = 20;
constexpr int kButtonHeight = 25;
constexpr int kKeyWidth = 97;
constexpr int kLabelHeight = 16;

// A menu item of the imitated display; the user clicks it like the tester's cursor.
class MenuPanel : public QLabel {
public:
    MenuPanel(const QString& text, QWidget* parent)
        : QLabel(text, parent) {
        setFrameStyle(QFrame::Panel | QFrame::Raised);
        setAlignment(Qt::AlignCenter);
        setAutoFillBackground(true);
    }
    std::function<void()> onClick;
    std::function<void()> onDoubleClick;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
            onClick)
            onClick();
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && onDoubleClick)
            onDoubleClick();
    }
};

void makeWhite(QLabel* label) {
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, Qt::white);
    label->setPalette(palette);
}
} // namespace

TForm3::TForm3(ReportSession& state, TesterConnection& tester, SerialLine& line,
               const PortSettings& settings, Prompter& prompter, TesterNotices& notices,
               QWidget* parent)
    : QDialog(parent)
    , state_(state)
    , tester_(tester)
    , link_(line)
    , settings_(settings)
    , prompter_(prompter)
    , notices_(notices)
    , run_(link_, tester, state.report, *this)
    , session_(link_, settings, tester, state.report, menu_, run_, prompter, *this) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Fernbedienung Gerätetester"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);
    help::setContext(*this, help::RemoteControlAndReport);
    createControls();
    setFixedSize(kWidth, kHeight);
    scaleWindow(*this);
    setFixedSize(size());
}

void TForm3::createControls() {
    const auto button = [this](const char* name, const QString& caption, int x, int y,
                               int width = kKeyWidth) {
        auto* b = new ShortcutButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(x, y, width, kButtonHeight);
        b->setAutoDefault(false);
        return b;
    };
    const auto label = [this](const char* name, const QString& text, int x, int y, int width,
                              int height = kLabelHeight) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QLatin1String(name));
        l->setGeometry(x, y, width, height);
        return l;
    };

    ButtonBeginnFern =
        button("ButtonBeginnFern", QStringLiteral("&Beginn Fernbedienung"), 64, 16, 169);
    ButtonEndeFern = button("ButtonEndeFern", QStringLiteral("&Ende Fernbedienung"), 280, 16, 169);
    Label2 = label("Label2", QStringLiteral("Passive Messung: I"), 32, 96, 120);
    Label3 = label("Label3", QStringLiteral("Aktive Messung:   II"), 32, 112, 120);
    LabelArt = label("LabelArt", QStringLiteral(" Auto Hand"), 30, 72, 120);

    // The imitated display: a white box with three lines and the indicators.
    Label4 = label("Label4", QString(), 160, 72, 353, 89);
    makeWhite(Label4);
    // The tester's software version is wider than the room left of the box: it
    // goes below it, above the keys.
    Label1 = label("Label1", QStringLiteral(" "), 16, Label4->geometry().bottom() + 3, 200);
    // The result field lies under the indicators it shares its place with.
    Label6 = label("Label6", QString(), 410, 72, 113, 89);
    makeWhite(Label6);
    const QFont displayFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    const int lineY[] = {88, 112, 144};
    // As tall as the font, so that no line is cut at its foot.
    const int lineHeight = std::max(kLabelHeight, QFontMetrics(displayFont).height());
    for (int i = 0; i < 3; ++i) {
        const QByteArray name = "LabelZeile" + QByteArray::number(i + 1);
        // Wide enough for the tester's 22 characters, up to the indicator marks.
        LabelZeile[i] =
            label(name.constData(), QStringLiteral(" "), 175, lineY[i], 215, lineHeight);
        LabelZeile[i]->setFont(displayFont);
        makeWhite(LabelZeile[i]);
    }
    LabelFehler = label("LabelFehler", QStringLiteral("Fehler"), 416, 88, 80);
    LabelPol = label("LabelPol", QStringLiteral("Umpolung"), 416, 112, 80);
    LabelNetz = label("LabelNetz", QStringLiteral("230 V"), 416, 136, 80);
    LabelFehlerKreuz = label("LabelFehlerKreuz", QStringLiteral(" "), 392, 88, 10);
    LabelPolKreuz = label("LabelPolKreuz", QStringLiteral(" "), 392, 112, 10);
    LabelNetzKreuz = label("LabelNetzKreuz", QStringLiteral(" "), 392, 136, 10);
    for (QLabel* indicator :
         {LabelFehler, LabelPol, LabelNetz, LabelFehlerKreuz, LabelPolKreuz, LabelNetzKreuz})
        makeWhite(indicator);
    for (QLabel* mark : {LabelFehlerKreuz, LabelPolKreuz, LabelNetzKreuz})
        mark->setAlignment(Qt::AlignCenter);
    LabelErgebnis = label("LabelErgebnis", QStringLiteral("Prüfung "), 410, 112, 113);
    LabelErgebnis->setAlignment(Qt::AlignCenter);
    for (QLabel* hidden : {Label2, Label3, LabelArt, Label4, LabelZeile[0], LabelZeile[1],
                           LabelZeile[2], LabelFehler, LabelPol, LabelNetz, LabelFehlerKreuz,
                           LabelPolKreuz, LabelNetzKreuz, Label6, LabelErgebnis})
        hidden->hide();

    // The tester's three keys, in the roles they take in each state.
    Button0701 = button("Button0701", QStringLiteral("0701"), 24, 184);
    Button0702 = button("Button0702", QStringLiteral("0702"), 136, 184);
    ButtonAuto = button("ButtonAuto", QStringLiteral("&Auto"), 248, 184);
    ButtonAutoAnalog = button("ButtonAutoAnalog", QStringLiteral("&Auto"), 248, 184);
    ButtonKomp = button("ButtonKomp", QStringLiteral("&Kompensation"), 360, 184, 105);
    nrisobtn = button("nrisobtn", QStringLiteral("0701"), 24, 184);
    Risobtn = button("Risobtn", QStringLiteral("0702"), 136, 184);
    Button0701Mess = button("Button0701Mess", QStringLiteral("0701"), 24, 184);
    Button0702Mess = button("Button0702Mess", QStringLiteral("0702"), 136, 184);
    ButtonAutoMess = button("ButtonAutoMess", QStringLiteral("&Auto"), 248, 184);
    ButtonWeiter1 = button("ButtonWeiter1", QStringLiteral("0701"), 24, 184);
    ButtonWeiter2 = button("ButtonWeiter2", QStringLiteral("0702"), 136, 184);
    ButtonWeiterA = button("ButtonWeiterA", QStringLiteral("&Auto"), 248, 184);
    BitBtn1 = button("BitBtn1", QStringLiteral("0701"), 24, 184);
    BitBtn2 = button("BitBtn2", QStringLiteral("0702"), 136, 184);
    BitBtn3 = button("BitBtn3", QStringLiteral("&Auto"), 248, 184);
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    BitBtn3->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    for (QPushButton* b : {Button0701, Button0702, ButtonAuto, ButtonAutoAnalog, ButtonKomp,
                           nrisobtn, Risobtn, Button0701Mess, Button0702Mess, ButtonAutoMess,
                           ButtonWeiter1, ButtonWeiter2, ButtonWeiterA, BitBtn1, BitBtn2, BitBtn3})
        b->setEnabled(false);
    for (QPushButton* b : {nrisobtn, Risobtn, Button0701Mess, Button0702Mess, ButtonAutoMess,
                           ButtonWeiter1, ButtonWeiter2, ButtonWeiterA, BitBtn1, BitBtn2, BitBtn3})
        b->hide();
    showAutoButtonOfMode();

    const auto panel = [this](const char* name, const QString& caption, int y, int position) {
        auto* p = new MenuPanel(caption, this);
        p->setObjectName(QLatin1String(name));
        p->setGeometry(376, y, 115, 25);
        p->onClick = [this, position] { PanelClick(position); };
        p->onDoubleClick = [this, position] { PanelDblClick(position); };
        p->hide();
        return p;
    };
    PanelLicht = panel("PanelLicht", QStringLiteral("Licht an"), 51, 1);
    PanelSchutz = panel("PanelSchutz", QStringLiteral("Schutzklasse"), 78, 2);
    PanelSprache = panel("PanelSprache", QString(), 104, 3);
    // Zurück is the last item, the third on older testers.
    auto* back = new MenuPanel(QStringLiteral("Zurück"), this);
    back->setObjectName(QStringLiteral("PanelZurueck"));
    back->setGeometry(376, 137, 115, 25);
    back->onClick = [this] { PanelClick(menu_.itemCount()); };
    back->onDoubleClick = [this] { PanelDblClick(menu_.itemCount()); };
    back->hide();
    PanelZurueck = back;
    highlightMenuPanel(1);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    setStatus(QStringLiteral("  "));

    const auto timer = [this](const char* name, int interval) {
        auto* t = new QTimer(this);
        t->setObjectName(QLatin1String(name));
        t->setInterval(interval);
        return t;
    };
    Timer1 = timer("Timer1", 1000);
    Timer2 = timer("Timer2", 300);
    Timermessen = timer("Timermessen", 500);
    TimerSenden = timer("TimerSenden", 100);

    connect(ButtonBeginnFern, &QPushButton::clicked, this, &TForm3::ButtonBeginnFernClick);
    connect(ButtonEndeFern, &QPushButton::clicked, this, &TForm3::ButtonEndeFernClick);
    connect(Button0701, &QPushButton::clicked, this, [this] { Button0701Click(); });
    connect(Button0702, &QPushButton::clicked, this, [this] { Button0702Click(); });
    connect(ButtonAuto, &QPushButton::clicked, this, [this] { ButtonAutoClick(); });
    connect(ButtonAutoAnalog, &QPushButton::clicked, this, [this] { ButtonAutoAnalogClick(); });
    connect(ButtonKomp, &QPushButton::clicked, this, &TForm3::ButtonKompClick);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    connect(nrisobtn, &QPushButton::clicked, this, [this] { nrisobtnClick(); });
    connect(Risobtn, &QPushButton::clicked, this, [this] { RisobtnClick(); });
    connect(this, &TForm3::runStartRequested, this, &TForm3::startRun);
    connect(this, &TForm3::connectionEnded, this, &TForm3::handOverResults);
    connect(ButtonWeiter1, &QPushButton::clicked, this, &TForm3::ButtonWeiter1Click);
    connect(ButtonWeiter2, &QPushButton::clicked, this, &TForm3::ButtonWeiter2Click);
    connect(ButtonWeiterA, &QPushButton::clicked, this, &TForm3::ButtonWeiterAClick);
    connect(TimerSenden, &QTimer::timeout, this, &TForm3::TimerSendenTimer);
    connect(Button0701Mess, &QPushButton::clicked, this,
            [this] { emit runStartRequested(tester_byte::kKey0701, false); });
    connect(Button0702Mess, &QPushButton::clicked, this,
            [this] { emit runStartRequested(tester_byte::kKey0702, false); });
    connect(ButtonAutoMess, &QPushButton::clicked, this,
            [this] { emit runStartRequested(tester_byte::kKeyAuto, false); });
    connect(Timer1, &QTimer::timeout, this, &TForm3::Timer1Timer);
    connect(Timer2, &QTimer::timeout, this, &TForm3::Timer2Timer);
    connect(Timermessen, &QTimer::timeout, this, &TForm3::TimermessenTimer);
}

void TForm3::resizeEvent(QResizeEvent* event) {
    StatusBar1->setGeometry(0, height() - kStatusHeight, width(), kStatusHeight);
    QDialog::resizeEvent(event);
}

void TForm3::setStatus(const QString& text) {
    StatusBar1->showMessage(text);
}

void TForm3::highlightMenuPanel(int position) {
    for (QLabel* p : {PanelLicht, PanelSchutz, PanelSprache, PanelZurueck}) {
        QPalette palette = p->palette();
        palette.setColor(QPalette::Window, p == panelAt(position)
                                               ? palette.color(QPalette::HighlightedText)
                                               : palette.color(QPalette::Button));
        p->setPalette(palette);
    }
}

QLabel* TForm3::panelAt(int position) const {
    switch (menu_.item(position)) {
    case SettingsMenu::Item::Light:
        return PanelLicht;
    case SettingsMenu::Item::ProtectionClass:
        return PanelSchutz;
    case SettingsMenu::Item::Language:
        return PanelSprache;
    case SettingsMenu::Item::Back:
        break;
    }
    return PanelZurueck;
}
