// The application's pictures, drawn in code so that they scale cleanly and need no binary files:
// the eight model pictures of ImageList_TypeZUL, the drive and folder icons, the four logos of
// the message window, the balloon's title icons, the splash picture, the view buttons and the
// mail and web icons. Indexes are those of the image lists that hold them.
#pragma once

#include <QPixmap>
#include <vector>

namespace tavrix::app {

// ImageList_TypeZUL, 65 x 65: 0/1 ЗУЛ-38, 2/3 ЗУЛ-52Н, 4/5 ЗУЛ-52Д, 6/7 ЗУЛ-52А, unmarked/marked.
std::vector<QPixmap> TypeZulPictures();

// ImageList_Drivers, 16 x 16: local, CD-ROM, removable, network, folder.
std::vector<QPixmap> DrivePictures();

// ImageList_DirSmall (16) and ImageList_DirLarge (32): "..", folder, data file.
std::vector<QPixmap> DirPictures(int size);

// ImageList_Logo, 32 x 32: attention, question, warning, error.
std::vector<QPixmap> LogoPictures();

// The balloon's title icons, 16 x 16, by icon number (1 information, 2 warning); null for 0.
QPixmap BalloonIcon(int icon);

QPixmap SplashPicture();  // 387 x 266

// The view buttons' pictures, 16 x 16, by view style number (0 icon, 2 list, 3 report).
QPixmap ViewStylePicture(int style);

QPixmap MailPicture();      // 24 x 24
QPixmap InternetPicture();  // 24 x 24
QPixmap ClosePicture();     // 16 x 16, Image4 of the progress windows

}  // namespace tavrix::app
