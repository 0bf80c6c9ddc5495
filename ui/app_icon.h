#pragma once

#include <QIcon>
#include <QImage>

// The program's icon: a feasible region on a pair of axes with the optimal vertex marked,
// drawn by code so that every size is painted from the same picture.
QImage draw_app_icon(int size);

// The icon with its 16 x 16 and 32 x 32 images (and larger ones for the desktop).
QIcon app_icon();
