#pragma once
// The Info window: product, version and date, shown modally until OK.

#include <QDialog>

class QLabel;
class QPushButton;

namespace shell {

inline constexpr const char* kVersion = "V 1.0.1";
inline constexpr const char* kDatum = "01/2012";

class Infopanel : public QDialog {
  public:
    explicit Infopanel(QWidget* eltern);

    QLabel* version() const { return version_; }
    QLabel* datum() const { return datum_; }
    QPushButton* ok() const { return ok_; }

  private:
    QLabel* version_;
    QLabel* datum_;
    QPushButton* ok_;
};

}  // namespace shell
