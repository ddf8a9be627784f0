#include "gallerypage.h"

void AddErrorBarsPages(std::vector<TGalleryPage>&) {}
