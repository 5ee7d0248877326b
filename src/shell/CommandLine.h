#pragma once

#include "ArchivePdf.h"
#include "DuePdf.h"
#include "LabelsPdf.h"

#include <QString>
#include <QStringList>

#include <map>

// What the program is told when it starts. Read before any window system is
// touched, so --help works without a display.
struct ProgramOptions {
    enum class Action {
        Run,
        ShowText,
        Fail,
        PrintPdf,
        Export,
        Import,
        ImportLegacy,
        CopyArchive,
        ArchivePdf,
        Backup,
        Restore,
        DuePdf,
        LabelsPdf
    };
    Action action = Action::Run;
    // Help or version text for standard output, or a message for standard error.
    QString text;
    // --print-pdf: the protocol file to print and the PDF file to write.
    QString protocolFile;
    QString pdfFile;
    // --export: the text file to write; --import: the protocol files.
    QString exportFile;
    QStringList importFiles;
    // --import-paradox: the folder with the older program's tables.
    QString legacyFolder;
    // --report-pdf, --collective-pdf, --due-list-pdf.
    archive_pdf::Request archivePdf;
    // --due-pdf.
    due_pdf::Request duePdf;
    // --labels-pdf.
    labels_pdf::Request labelsPdf;
    // --backup: the file to write; --restore: the file to read.
    QString backupFile;
    // Slot index 0..5 → device, from --port COMn=DEVICE.
    std::map<int, QString> ports;
    // The folder of the tables from --data; empty when not given.
    QString dataDirectory;
    // --copy-archive: from, to.
    QStringList copyArchive;
    // --database: a server's address or "datei"; empty when not given.
    QString database;
};

ProgramOptions parseCommandLine(const QStringList& arguments);
