# Writes the bytes of SOURCE into TARGET as the C++ definition of
# deliveredSchema() (backup/delivered_schema.h), byte for byte: no
# character set conversion of the compiler touches them.
file(READ ${SOURCE} hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
string(REGEX REPLACE "(([^,]+,){16})" "\\1\n    " bytes "${bytes}")
file(WRITE ${TARGET}.new
  "// Generated from ${SOURCE} by delivered_schema.cmake.\n"
  "#include \"backup/delivered_schema.h\"\n\n"
  "namespace {\nconst char kSchema[] = {\n    ${bytes}\n};\n}\n\n"
  "const Bytes& deliveredSchema()\n{\n"
  "    static const Bytes schema(kSchema, sizeof kSchema);\n    return schema;\n}\n")
file(RENAME ${TARGET}.new ${TARGET})
