# Writes OUTPUT, a C++ source holding the compiled translations QM_FILES ("|"-separated,
# named <anything>_<language>.qm) as byte arrays, for Qvplot2DInstallTranslation.
string(REPLACE "|" ";" QM_FILES "${QM_FILES}")
set(arrays "")
set(entries "")
set(count 0)
foreach(qm ${QM_FILES})
    get_filename_component(name ${qm} NAME_WE)
    string(REGEX REPLACE "^.*_" "" language ${name})
    file(READ ${qm} hex HEX)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n    "
           bytes "${bytes}")
    string(APPEND arrays "const unsigned char Translation_${language}[] = {\n    ${bytes}};\n")
    string(APPEND entries "    {\"${language}\", Translation_${language}, sizeof Translation_${language}},\n")
    math(EXPR count "${count} + 1")
endforeach()
file(WRITE ${OUTPUT}.tmp
"// Written by the build from the compiled translations.
#include \"strings/qvtranslations.h\"

namespace {
${arrays}} // namespace

const TQvEmbeddedTranslation QvEmbeddedTranslations[] = {
${entries}};
const std::size_t QvEmbeddedTranslationCount = ${count};
")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
