# SPDX-License-Identifier: MIT
# Writes a C++ source holding a text file's bytes, so that a program carries
# the text it was built with:
#   cmake -DINPUT=FILE -DOUTPUT=FILE.cpp -DNAMESPACE=ns -DNAME=kText -P EmbedText.cmake
# gives `namespace ns { extern const unsigned char kText[]; ... = {...,0}; }`.
file(READ "${INPUT}" bytes HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)"
  "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
  "// Generated from ${INPUT} by cmake/EmbedText.cmake; do not edit.\n"
  "namespace ${NAMESPACE} {\nextern const unsigned char ${NAME}[];\nconst unsigned char ${NAME}[] = {\n${bytes}0};\n}\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
