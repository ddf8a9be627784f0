// The graph document reader for XML.

#include "documents.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    QvFuzz::ReadDocument(QvFuzz::TForm::Xml, Data, Size);
    return 0;
}
