#include "TFormArchiv.h"

#include "TFormFilter.h"
#include "addresses/CustomerTable.h"
#include "archive/ArchiveSearch.h"
#include "archive/ArchiveTable.h"
#include "archive_output/DueColours.h"
#include "archive_output/DueDevices.h"
#include "common/HelpContext.h"
#include "common/Prompter.h"
#include "common/WindowScaling.h"
#include "report/ArchiveNumbering.h"
#include "report/ReportSession.h"
#include "tables/DataGrid.h"
#include "tables/DataNavigator.h"
#include "tables/GridSetup.h"
#include "tables/TableCursor.h"
#include "tables/TableGridModel.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;

const GridColumn kColumns[] = {
    {"Zaehler", "Zaehler", 0},
    {"AuftragNr", "Auftrag Nr.", 100},
    {"Kundennummer", "Kundennummer", 85, false, kLeft},
    {"Auftraggeber", "Auftraggeber", 200},
    {"Geraeteart", "Geräteart", 120},
    {"Hersteller", "Hersteller", 120},
    {"Typenbezeichnung", "Typenbezeichnung", 120},
    {"Seriennummer", "Seriennummer", 100},
    {"Nennstrom", "Nennstrom [A]", 0},
    {"Nennspannung", "Nennspannung [V]", 0},
    {"Nennleistung", "Nennleistung  [W]", 0},
    {"Pruefung", "Prüfung", 105, true},
    {"Schutzklasse", "Schutzklasse", 75, true},
    {"Ordnung", "OK", 40, false, Qt::AlignCenter, Qt::AlignCenter},
    {"Alles", "Messwerte", 550, true},
    {"Besichtigung1", "Besichtigung 1", 0},
    {"Besichtigung2", "Besichtigung 2", 0},
    {"Besichtigung3", "Besichtigung 3", 0},
    {"Satz1", "Satz 1", 0},
    {"Satz2", "Satz 2", 0},
    {"Satz3", "Satz 3", 0},
    {"Satz4", "Satz 4 ", 0},
    {"Termin", "nächste Prüfung", 100},
    {"FehlerZeile1", "Fehler Zeile 1", 300},
    {"FehlerZeile2", "Fehler Zeile 2", 300},
    {"FehlerZeile3", "Fehler Zeile 3", 300},
    {"RepArbeitenZeile1", "Rep.- Arbeiten Zeile 1", 300},
    {"RepArbeitenZeile2", "Rep.-Arbeiten Zeile 2", 300},
    {"RepArbeitenZeile3", "Rep.-Arbeiten Zeile 3", 300},
    {"Ort", "Ort", 120},
    {"Datum", "Datum", 80},
    {"Dateiname", "Datensatz aus Datei / vom MW-Speicher /vom Tester übernommen  am ", 400, true},
};

// Shows the window modally; nothing when there is none.
std::function<void()> modal(QDialog* window) {
    return [window] {
        if (window)
            window->exec();
    };
}

QFrame* bevel(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

TFormArchiv::TFormArchiv(ReportSession& state, QList<QByteArray>& readoutHandover,
                         Prompter& prompter, TableStore& tables, PrinterSource printers,
                         QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)
    , state_(state)
    , readoutHandover_(readoutHandover)
    , prompter_(prompter)
    , printers_(std::move(printers))
    , Table1(std::make_unique<TableCursor>(tables, QStringLiteral("zt"), this))
    , Table3(std::make_unique<TableCursor>(tables, QStringLiteral("kunden"), this))
    , transfers_(std::make_unique<ArchiveTransfers>(state, prompter, *Table1, *Table3))
    , search_(std::make_unique<ArchiveSearch>(*Table1, prompter))
    , MainMenu1(new QMenuBar(this)) {
    setObjectName(QStringLiteral("FormArchiv"));
    Table1->setObjectName(QStringLiteral("Table1"));
    Table3->setObjectName(QStringLiteral("Table3"));
    setWindowTitle(QStringLiteral("Archiv"));
    help::setContext(*this, help::Archive);

    Table1->beforePost = [this](TableCursor& table) {
        archive_table::normaliseBeforePost(table, prompter_, transfers_->diffOfWriteBack());
    };
    archive_table::ensureStandardIndex(*Table1);
    customer_table::ensureIndexes(*Table3, false);
    Table3->close();

    createMenu();
    createGrid();
    using Button = DataNavigator::Button;
    auto* navigator =
        new DataNavigator(*Table1,
                          {Button::First, Button::Prior, Button::Next, Button::Last, Button::Delete,
                           Button::Edit, Button::Post, Button::Cancel},
                          this);
    navigator->setObjectName(QStringLiteral("DBNavigator1"));
    navigator->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    navigator->setDeleteHandler([this] { deleteRowClick(); });
    auto* close = new QPushButton(QStringLiteral("&Schließen"), this);
    close->setObjectName(QStringLiteral("BitBtn1"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    auto* bar = new QHBoxLayout;
    bar->addWidget(navigator);
    bar->addSpacing(24);
    bar->addWidget(close);
    bar->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(MainMenu1);
    layout->addWidget(bevel(this));
    layout->addLayout(bar);
    layout->addWidget(DBGrid1, 1);
    layout->addWidget(bevel(this));

    connect(Table1.get(), &TableCursor::dataChanged, this, &TFormArchiv::updateMoveItems);
    connect(Table1.get(), &TableCursor::stateChanged, this, &TFormArchiv::updateEditItems);
    connect(Table1.get(), &TableCursor::stateChanged, this, [this] {
        if (Table1->state() == TableCursor::State::Edit)
            customerColumnEntered();
    });
    resize(900, 600);
    scaleWindow(*this);
    setWindowState(Qt::WindowMaximized);
}

TFormArchiv::~TFormArchiv() = default;

void TFormArchiv::setDialogs(const Dialogs& dialogs) {
    dialogs_ = dialogs;
    transfers_->setWindows({modal(dialogs.wizard), modal(dialogs.savePrint), dialogs.askDate});
    for (QAction* item : MainMenu1->findChildren<QAction*>())
        if (item->objectName().endsWith(QLatin1String("Liste1")))
            item->setEnabled(dialogs.deviceListRequest && dialogs.deviceListFormat);
        else if (item->objectName().endsWith(QLatin1String("Sammelprotokoll1")))
            item->setEnabled(dialogs.collectiveFormat != nullptr);
        else if (item->objectName().endsWith(QLatin1String("Pruefplakette1")))
            item->setEnabled(dialogs.labelChoice != nullptr);
        else if (item->objectName() == QLatin1String("vomMWSpeicher1"))
            item->setEnabled(dialogs.memoryReadout && dialogs.portSettings);
        else if (item->objectName() == QLatin1String("SWVersionSpeicher1"))
            item->setEnabled(dialogs.memoryVersion != nullptr);
        else if (item->objectName() == QLatin1String("FaelligePruefungen1"))
            item->setEnabled(dialogs.dueDevices != nullptr);
    newSearchItem_->setEnabled(dialogs.search != nullptr);
    filterItem_->setEnabled(dialogs.filter != nullptr);
    sortItem_->setEnabled(dialogs.sort != nullptr);
}

QAction* TFormArchiv::addItem(QMenu* menu, const char* name, const QString& caption,
                              const QKeySequence& shortcut, const std::function<void()>& action) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(QLatin1String(name));
    item->setShortcut(shortcut);
    // The window, not only the menu, must hear the shortcut.
    addAction(item);
    if (action)
        connect(item, &QAction::triggered, this, action);
    else
        item->setEnabled(false);
    return item;
}

void TFormArchiv::addPrintItems(QMenu* menu, const char* prefix, OutputKind kind,
                                const QString& ellipsis) {
    const QByteArray start(prefix);
    addItem(menu, (start + "Einzelprotokoll1").constData(),
            QStringLiteral("&Einzelprotokoll") + ellipsis, {},
            [this, kind] { singleReportClick(kind); });
    addItem(menu, (start + "Sammelprotokoll1").constData(),
            QStringLiteral("&Sammelprotokoll") + ellipsis, {},
            [this, kind] { collectiveReportClick(kind); })
        ->setEnabled(false);
    addItem(menu, (start + "Liste1").constData(), QStringLiteral("&Liste") + ellipsis, {},
            [this, kind] { deviceListClick(kind); })
        ->setEnabled(false);
    addItem(menu, (start + "Pruefplakette1").constData(),
            kind == OutputKind::Printer ? QStringLiteral("Prüf&plakette drucken…")
                                        : QStringLiteral("Prüf&plakette…"),
            {}, [this, kind] { testLabelsClick(kind); })
        ->setEnabled(false);
}

void TFormArchiv::createMenu() {
    QMenu* rows = MainMenu1->addMenu(QStringLiteral("&Datensatz"));
    rows->setObjectName(QStringLiteral("Datensatz1"));
    firstItem_ = addItem(rows, "ErsterDatensatz1", QStringLiteral("&Erster  Datensatz"),
                         QKeySequence(Qt::CTRL | Qt::Key_F2), [this] { Table1->first(); });
    priorItem_ = addItem(rows, "VorherigerDatensatz1", QStringLiteral("&Vorheriger Datensatz"),
                         QKeySequence(Qt::CTRL | Qt::Key_F3), [this] { Table1->prior(); });
    nextItem_ = addItem(rows, "NaechsterDatensatz1", QStringLiteral("&Nächster Datensatz"),
                        QKeySequence(Qt::CTRL | Qt::Key_F4), [this] { Table1->next(); });
    lastItem_ = addItem(rows, "LetzterDatensatz1", QStringLiteral("Letzte&r Datensatz"),
                        QKeySequence(Qt::CTRL | Qt::Key_F5), [this] { Table1->last(); });
    addItem(rows, "DatensatzLoeschen1", QStringLiteral("Datensatz &löschen"),
            QKeySequence(Qt::CTRL | Qt::Key_Delete), [this] { deleteRowClick(); });
    editItem_ = addItem(rows, "DatensatzBearbeiten1", QStringLiteral("Datensatz  &bearbeiten"),
                        QKeySequence(Qt::Key_F2), [this] { Table1->edit(); });
    postItem_ = addItem(rows, "Uebernehmen1", QStringLiteral("&Übernehmen"),
                        QKeySequence(Qt::Key_F4), [this] { Table1->post(); });
    cancelItem_ = addItem(rows, "BearbeitungAbbrechen1", QStringLiteral("Bearbeitung &abbrechen"),
                          QKeySequence(Qt::Key_F5), [this] { Table1->cancel(); });
    rows->addSeparator();
    addItem(rows, "AlleDatensaetzeLoeschen1", QStringLiteral("Alle Datensätze löschen"), {},
            [this] { deleteAllClick(); });

    QMenu* search = MainMenu1->addMenu(QStringLiteral("S&uchen"));
    search->setObjectName(QStringLiteral("Suchen1"));
    newSearchItem_ = addItem(search, "NeueSuche1", QStringLiteral("Neue &Suche"),
                             QKeySequence(Qt::CTRL | Qt::Key_S), [this] { newSearchClick(); });
    continueSearchItem_ = addItem(search, "SucheFortsetzen1", QStringLiteral("Suche &fortsetzen"),
                                  QKeySequence(Qt::Key_F3), [this] { continueSearchClick(); });
    filterItem_ = MainMenu1->addAction(QStringLiteral("&Filtern"), this, [this] { filterClick(); });
    filterItem_->setObjectName(QStringLiteral("Filtern1"));
    sortItem_ = MainMenu1->addAction(QStringLiteral("S&ortieren"), this, [this] { sortClick(); });
    sortItem_->setObjectName(QStringLiteral("Sortieren1"));
    for (QAction* item : {newSearchItem_, filterItem_, sortItem_})
        item->setEnabled(false);
    QMenu* import = MainMenu1->addMenu(QStringLiteral("D&atenübernahme"));
    addItem(import, "ausDateien1", QStringLiteral("aus &Dateien"), {},
            [this] { importFilesClick(); });
    addItem(import, "ausAlterDatenbank1",
            QStringLiteral("aus &alter Datenbank (zt.DB, kunden.DB)..."), {},
            [this] { importLegacyClick(); });
    addItem(import, "vomMWSpeicher1", QStringLiteral("vom &MW-Speicher "), {}, [this] {
        importMemoryClick();
    })->setEnabled(false);
    // Testers whose memory software is 'A' store their values in another order.
    addItem(import, "SWVersionSpeicher1", QStringLiteral("SW-&Version Speicher..."), {}, [this] {
        if (dialogs_.memoryVersion)
            dialogs_.memoryVersion->exec();
    })->setEnabled(false);
    QMenu* print = MainMenu1->addMenu(QStringLiteral("D&rucken"));
    addPrintItems(print, "", OutputKind::Printer, QString());
    print->addSeparator();
    QMenu* pdf = print->addMenu(QStringLiteral("&PDF speichern…"));
    pdf->setObjectName(QStringLiteral("PdfSpeichern1"));
    addPrintItems(pdf, "Pdf", OutputKind::Pdf, QStringLiteral("…"));
    QMenu* preview = print->addMenu(QStringLiteral("&Vorschau"));
    preview->setObjectName(QStringLiteral("Vorschau1"));
    addPrintItems(preview, "Vorschau", OutputKind::Preview, QString());
    QAction* due = MainMenu1->addAction(QStringLiteral("Fä&llige Prüfungen…"), this,
                                        [this] { dueDevicesClick(); });
    due->setObjectName(QStringLiteral("FaelligePruefungen1"));
    due->setEnabled(false);
    QMenu* exportMenu = MainMenu1->addMenu(QStringLiteral("Daten-Export"));
    addItem(exportMenu, "AktuellerDatensatz1", QStringLiteral("aktueller Datensatz"), {},
            [this] { exportClick(false); });
    addItem(exportMenu, "Komplett1", QStringLiteral("komplett"), {}, [this] { exportClick(true); });
}

void TFormArchiv::createGrid() {
    DBGrid1 = createDataGrid(*Table1, kColumns, LongTitles::CutShort, this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->gridModel().setRowMark({QStringLiteral("Termin"),
                                     [](const QVariant& stored) {
                                         return due_devices::overdueTooltip(stored,
                                                                            QDate::currentDate());
                                     },
                                     QVariant(due_colours::overdue())});
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentColumnChanged, this, [this] {
        if (Table1->state() == TableCursor::State::Edit)
            customerColumnEntered();
    });
    connect(DBGrid1, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& cell) {
        const QString field = DBGrid1->gridModel().fieldName(cell.column());
        if (searchIdle_ && (field == u"Zaehler" || field == u"Dateiname"))
            openRowInWizardClick();
    });
    DBGrid1->installEventFilter(this);
}

void TFormArchiv::showEvent(QShowEvent* event) {
    searchIdle_ = true;
    // Every visit starts with all rows in number order.
    Table1->close();
    Table1->setFilter({});
    Table1->setFiltered(false);
    Table1->setIndexName(QStringLiteral("Standard"));
    Table1->open();
    Table1->last();
    Table1->first();
    if (rowOnOpening_)
        Table1->gotoRowId(*std::exchange(rowOnOpening_, std::nullopt));
    filterActive_ = false;
    setWindowTitle(QStringLiteral("Archiv "));
    continueSearchItem_->setEnabled(false);
    if (dialogs_.filter)
        dialogs_.filter->markForReset();
    sortCriteria_ = SortCriteria{};
    updateMoveItems();
    updateEditItems();
    DBGrid1->setFocus();
    QDialog::showEvent(event);
}

void TFormArchiv::updateMoveItems() {
    const bool rows = !Table1->isEmpty();
    bool towardsStart = rows;
    bool towardsEnd = rows;
    if (Table1->eof())
        towardsEnd = false;
    if (Table1->bof())
        towardsStart = false;
    firstItem_->setEnabled(towardsStart);
    priorItem_->setEnabled(towardsStart);
    nextItem_->setEnabled(towardsEnd);
    lastItem_->setEnabled(towardsEnd);
}

void TFormArchiv::updateEditItems() {
    const TableCursor::State state = Table1->state();
    if (state == TableCursor::State::Insert)
        return;
    const bool editing = state == TableCursor::State::Edit;
    editItem_->setEnabled(!editing);
    postItem_->setEnabled(editing);
    cancelItem_->setEnabled(editing);
}

bool TFormArchiv::eventFilter(QObject* watched, QEvent* event) {
    if (watched == DBGrid1 && event->type() == QEvent::KeyPress) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (key.key() == Qt::Key_L && key.modifiers() & Qt::ControlModifier) {
            openRowInWizardClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
