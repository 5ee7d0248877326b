#include "TestLabelsCommand.h"

#include "TestLabels.h"
#include "ViewLabels.h"
#include "common/Prompter.h"
#include "tables/TableCursor.h"

namespace test_labels {

void run(Prompter& prompter, TableCursor& archive, ChoiceQuestion& question,
         const PrintOutput& output) {
    if (archive.isEmpty())
        return;
    const auto marked = markedCount(archive);
    if (!marked)
        return;
    const auto choice = question.askChoice(*marked);
    if (!choice)
        return;
    const QString contractor = contractorName(archive.store());
    const auto labels =
        choice->scope == Scope::CurrentRow
            ? std::optional(QList<Label>{labelOf(archive, contractor)})
            : viewLabels(archive, choice->scope == Scope::MarkedRows ? Rows::Marked : Rows::All,
                         contractor);
    if (!labels || labels->isEmpty())
        return;
    deliver(prompter, output, pdfName(*labels), [&](PrintTarget& target) {
        drawLabels(target, *labels, choice->format, choice->startPosition,
                   [&prompter](const QString& problem) {
                       prompter.message(problem, QStringLiteral("Hinweis"), Prompter::Buttons::Ok);
                   });
    });
}

} // namespace test_labels
