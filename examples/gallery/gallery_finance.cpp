#include "gallerypage.h"

void AddFinancePages(std::vector<TGalleryPage>&) {}
