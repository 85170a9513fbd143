// The support library's record, its notification entry and its one command
// "内码转换", which converts a copy of its text argument. The library keeps
// one pointer of state, the runtime's service callback, and frees nothing:
// every block it returns belongs to the caller.
//
// ELF shared libraries need no entry point of their own, so there is none.
#include "encoding/lumtra_abi.h"

#include <atomic>
#include <cstring>

namespace {

std::atomic<ServiceCallback> serviceCallback{nullptr};

int32_t notify(int32_t code, intptr_t first, intptr_t)
{
    if (code != NotifyServiceCallback)
        return -1;
    serviceCallback.store(reinterpret_cast<ServiceCallback>(first));
    return 0;
}

// Argument 1 must be a text and there must be two arguments, otherwise the
// result is null and no block is taken; a mode that is not an integer
// counts as no mode, so the copy comes back unchanged.
void convertCommand(ValueRecord* result, int32_t argumentCount, ValueRecord* arguments)
{
    if (result == nullptr)
        return;
    result->value = 0;
    if (argumentCount < 2 || arguments == nullptr || arguments[0].type != TypeTagText)
        return;
    const auto* text = reinterpret_cast<const char*>(arguments[0].value);
    const int32_t mode =
        arguments[1].type == TypeTagInteger ? static_cast<int32_t>(arguments[1].value) : 0;
    const ServiceCallback allocate = serviceCallback.load();
    if (text == nullptr || text[0] == 0 || allocate == nullptr)
        return;
    const size_t length = std::strlen(text);
    auto* block = reinterpret_cast<char*>(
        allocate(ServiceAllocateBlock, static_cast<intptr_t>(length + 1), 0));
    if (block == nullptr)
        return;
    std::memcpy(block, text, length);
    block[length] = 0;
    result->value = reinterpret_cast<intptr_t>(block);
    Lumtra(block, mode);
}

constexpr uint32_t numericConstant = 1u | (1u << 16);

const ArgumentRecord arguments[] = {
    {"待转换文本", "本参数用作提供需要转换的文本", 0, TypeTagText, 0, 0},
    {"转换方式",
     "可以为以下常量值之一： 1、#GBK到BIG5； 2、#BIG5到GBK； 3、#GBK繁体到简体； "
     "4、#GBK简体到繁体； 5、#BIG5到GBK简体",
     0, TypeTagInteger, 0, 0},
};

const CommandRecord commands[] = {{
    .name = "内码转换",
    .englishName = "Lumtra",
    .explanation = "将指定汉字编码的文本转换为另外一种编码方式，其中的非汉字部分不受影响，返回转换结果文本",
    .categoryAndState = 1,
    .resultType = TypeTagText,
    .levelWord = 1u << 16,
    .picture = 0,
    .argumentCount = 2,
    .arguments = arguments,
}};

const CommandEntry commandEntries[] = {convertCommand};

const ConstantRecord constants[] = {
    {"GBK到BIG5", nullptr, nullptr, numericConstant, nullptr, 0, ModeGbkToBig5},
    {"BIG5到GBK", nullptr, nullptr, numericConstant, nullptr, 0, ModeBig5ToGbk},
    {"GBK繁体到简体", nullptr, nullptr, numericConstant, nullptr, 0, ModeGbkTradToSimp},
    {"GBK简体到繁体", nullptr, nullptr, numericConstant, nullptr, 0, ModeGbkSimpToTrad},
    {"BIG5到GBK简体", nullptr, nullptr, numericConstant, nullptr, 0, ModeBig5ToGbkSimp},
};

const LibraryRecord libraryRecord = {
    .formatStamp = LibraryFormatStamp,
    .identifier = LumtraIdentifier,
    .majorVersion = 1,
    .minorVersion = 0,
    .buildNumber = 50,
    .runtimeMajorVersion = 3,
    .runtimeMinorVersion = 0,
    .coreMajorVersion = 3,
    .coreMinorVersion = 0,
    .name = "汉字编码转换支持库",
    .language = 1,
    .explanation = "本支持库实现了各种编码方式汉字文本之间的转换。",
    .state = 0,
    .makerName = nullptr,
    .makerPostalCode = nullptr,
    .makerAddress = nullptr,
    .makerTelephone = nullptr,
    .makerFax = nullptr,
    .makerEmail = nullptr,
    .makerHomePage = nullptr,
    .closingRemark = "祝您一帆风顺，心想事成！",
    .dataTypeCount = 0,
    .dataTypes = nullptr,
    .categoryCount = 1,
    .categories = "0000内码转换",
    .commandCount = 1,
    .commands = commands,
    .commandEntries = commandEntries,
    .addInEntry = nullptr,
    .addInInformation = nullptr,
    .notificationEntry = notify,
    .templateEntry = nullptr,
    .templateInformation = nullptr,
    .constantCount = 5,
    .constants = constants,
    .dependentFiles = nullptr,
};

} // namespace

const LibraryRecord* GetNewInf()
{
    return &libraryRecord;
}
