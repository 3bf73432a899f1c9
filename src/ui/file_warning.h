#pragma once
// The "Warnung" box for a file that loaded although it was damaged: it names
// the file, says what was wrong and what was kept instead, so the operator
// never works on a file silently read as something else.

#include <QString>
#include <string>

class QWidget;

namespace ui {

// `zusatz`, when given, is a last paragraph of the window's own.
void DateischadenMelden(QWidget* eltern, const QString& pfad, const std::string& schaden,
                        const QString& zusatz = {});

}  // namespace ui
