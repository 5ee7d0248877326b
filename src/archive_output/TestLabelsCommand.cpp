#include "TestLabelsCommand.h"

#include "TestLabels.h"
#include "common/Prompter.h"
#include "tables/TableCursor.h"

namespace test_labels {

namespace {

QList<Label> viewLabels(TableCursor& archive, const QString& contractor) {
    const qint64 current = archive.rowId();
    QList<Label> labels;
    for (bool more = archive.first(); more; more = archive.next())
        labels.append(labelOf(archive, contractor));
    archive.gotoRowId(current);
    return labels;
}

} // namespace

void run(Prompter& prompter, TableCursor& archive, ChoiceQuestion& question,
         const PrintOutput& output) {
    if (archive.isEmpty())
        return;
    const auto choice = question.askChoice();
    if (!choice)
        return;
    const QString contractor = contractorName(archive.store());
    const QList<Label> labels = choice->scope == Scope::CurrentRow
                                    ? QList<Label>{labelOf(archive, contractor)}
                                    : viewLabels(archive, contractor);
    deliver(prompter, output, pdfName(labels), [&](PrintTarget& target) {
        drawLabels(target, labels, choice->format, choice->startPosition,
                   [&prompter](const QString& problem) {
                       prompter.message(problem, QStringLiteral("Hinweis"), Prompter::Buttons::Ok);
                   });
    });
}

} // namespace test_labels
