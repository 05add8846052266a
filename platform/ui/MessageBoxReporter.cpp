#include "MessageBoxReporter.h"

#include "MessageBox.h"

void MessageBoxReporter::AppMessage(const QString& text) {
    AfxMessageBox(text, MB_OK);
}

void MessageBoxReporter::PlainMessage(const QString& text) {
    PlainMessageBox(text, MB_OK);
}
