// The graph document reader for binary streams.

#include "documents.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    QvFuzz::ReadDocument(QvFuzz::TForm::Binary, Data, Size);
    return 0;
}
