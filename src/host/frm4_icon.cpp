#include "host/frm4_icon.h"

#include <QLabel>

namespace qfw::host {
namespace {

// Colours: none (transparent), black, navy, blue, white, grey, silver,
// yellow, olive, maroon, cyan.
const char* const kIconXpm[] = {"32 32 11 1",
                                ". c None",
                                "k c #000000",
                                "b c #000080",
                                "B c #0000FF",
                                "w c #FFFFFF",
                                "g c #808080",
                                "s c #C0C0C0",
                                "y c #FFFF00",
                                "o c #808000",
                                "r c #800000",
                                "c c #00FFFF",
                                "................................",
                                "................................",
                                ".............................oyy",
                                "....kkkkkkkkkkkkkkkkkkkk..y.oyy.",
                                "....kwwwwwwwwwwwwwwwwwwkgyyoyy..",
                                "....kwwwwwwwwwwwwwwwwwwkyyoyy...",
                                "....kwwwwwwwwwwwwwwwwwwyyoyy....",
                                "....kwwbbbbbbbbbbbbwwwyyoyy.....",
                                "....kwwwwwwwwwwwwwwwwyyoyy......",
                                "....kwwwwwwwwwwwwwwwyyoyy.......",
                                "....kwwwwBBBBBBBBBByyoyyg.......",
                                "....kwwwwwwwwwwwwwyyoyykg.......",
                                "....kwwwwwwwwwwwwwyoyywkg.......",
                                "....kwwwwBBBBBBBBwoyywwkg.......",
                                "....kwwwwwwwwwwwwowwwwwkg.......",
                                "....kwwwwwwwwwwwowwwwwwkg.......",
                                "....kwwbbbbbbbbobbwwwwwkg.......",
                                "....kwwwwwwwwwowwwwwwwwkg.......",
                                "....kwwwwwwwwowwwwwwwwwkg.......",
                                "....kwwwwcccoccccccccwwkg.......",
                                "....kwwwwwwkwwwwwwwwwwwkg.......",
                                "....kwwwwwkwwwwwwwwwwwwkg.......",
                                "....kwwwwkBBBBBBwwwwwwwkg.......",
                                "....kwwwwwwwwwwwwwwwwwwkg.......",
                                "....kwwwwwwwwwwwwwwwwwwkg.......",
                                "....kwwbbbbbbbwwwwwwwwwkg.......",
                                "....kwwwwwwwwwwwwwwwwwwkg.......",
                                "....kwwwwwwwwwwwwwwwwwwkg.......",
                                "....kwwwwwwwwwwwwwwwwwwkg.......",
                                "....kkkkkkkkkkkkkkkkkkkkg.......",
                                ".....gggggggggggggggggggg.......",
                                "................................"};

}  // namespace

QPixmap QuillfernIcon() {
    return QPixmap(kIconXpm);
}

frm4Icon::frm4Icon() {
    setObjectName("frm4Icon");
    Picture2 = new QLabel(this);
    Picture2->setObjectName("Picture2");
    Picture2->setPixmap(QuillfernIcon());
}

}  // namespace qfw::host
