// What assistive technology reads for each control of the main window and the move
// dialogs: a name and a description, given where the control has none of its own.
// Nothing visible changes.
#pragma once

class QWidget;

namespace korvane {

void DescribeArgIntForm(QWidget& window);
void DescribeStatementForm(QWidget& dialog);
void DescribeReasonConclusionForm(QWidget& dialog);
void DescribeExceptionForm(QWidget& dialog);

}  // namespace korvane
