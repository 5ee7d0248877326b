#include "PdfExport.h"

#include "print/PdfFile.h"
#include "print/TXPrint.h"
#include "report/ProtocolFile.h"
#include "report/ReportPage.h"
#include "report/ReportSession.h"

std::optional<QString> printProtocolFileToPdf(const QString& protocolFile, const QString& pdfFile) {
    const protocol_file::ReadResult file = protocol_file::readProtocolFile(protocolFile);
    if (!file.ok())
        return file.error;
    ReportSession state;
    protocol_file::readForOpen(file.image, state.record, state.report);

    PdfFile pdf(pdfFile);
    if (const auto problem = pdf.open())
        return problem;
    TXPrint print(pdf.target());
    report_page::configure(print);
    if (const auto problem =
            report_page::print(print, state.record, state.report, state.limitTexts))
        return problem->text;
    return pdf.commit();
}
