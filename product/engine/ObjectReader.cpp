#include "product/engine/ObjectReader.h"

#include "OrvLib/image/readers/OrvImageLoad.h"

bool ReadObjectFile(const std::string& file, OrvImage2& image) { return LoadImageFile(file, image, true); }
