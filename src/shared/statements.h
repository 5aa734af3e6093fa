#pragma once
// Every statement the terminal runs on korva.mdb, S1 to S11, in the order an exam
// runs them. Each value is pasted between single quotes with its own quotes doubled,
// so no value can change what a statement does.

#include <QString>

namespace statements {

// The value with each single quote doubled, fit to stand inside a quoted literal.
QString Quoted(const QString& value);

// Paper kinds, for the kind selection.
QString S1();
// The kind's row; at that moment the title holds the kind number.
QString S2(const QString& paperTitle);
// The paper's questions, counted before the exam is offered.
QString S3(const QString& paperName);
// The same count inside the sheet-building transaction.
QString S4(const QString& paperName);
// Every sheet row of the admission number.
QString S5(const QString& admissionNo);
// Copies the paper into a fresh sheet, highest bk first.
QString S6(const QString& paperName, const QString& admissionNo);
// The answer sheet being answered, in id order.
QString S7(const QString& paperName, const QString& admissionNo);
// The kind's row, for its pass mark.
QString S8(const QString& paperKind);
// The total score of the sheet.
QString S9(const QString& paperName, const QString& admissionNo);
// Marks the sheet handed in.
QString S10(const QString& paperName, const QString& admissionNo);
// The rows that scored nothing, for the review.
QString S11(const QString& paperName, const QString& admissionNo);

}  // namespace statements
