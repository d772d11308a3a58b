// frm4Icon: the hidden page whose picture box Picture2 holds the menu icon
// (32 x 32 pixels, 16 colours), which is also the program's window icon.
#pragma once

#include <QPixmap>
#include <QWidget>

class QLabel;

namespace qfw::host {

class frm4Icon : public QWidget {
  public:
    frm4Icon();
    QLabel* Picture2 = nullptr;
};

// The icon's image.
QPixmap QuillfernIcon();

}  // namespace qfw::host
