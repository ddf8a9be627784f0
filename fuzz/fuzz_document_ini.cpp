// The graph document reader for INI files.

#include "documents.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    QvFuzz::ReadDocument(QvFuzz::TForm::Ini, Data, Size);
    return 0;
}
