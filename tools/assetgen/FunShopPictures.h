// The fun shop's item pictures: one small badge per catalogue item, in the item's own colour with a
// simple emblem, the same bytes on every run.
#pragma once

#include "Images.h"

// Item 0-15; 96 x 96 pixels.
Image FunShopPicture(int item);
