// The library as the runtime meets it: its record, its notification entry
// and its command "内码转换" with a recording service callback.
#include "tests/encoding/lumtra_loader.h"
#include "tests/support/gbk_print.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

// The service callback the tests hand the library: records each call and
// gives a block it owns, or null when told to.
struct Allocator {
    static inline std::vector<std::unique_ptr<char[]>> blocks;
    static inline std::vector<std::vector<intptr_t>> calls;
    static inline bool refuse = false;

    static intptr_t callback(int32_t code, intptr_t first, intptr_t second)
    {
        calls.push_back({code, first, second});
        if (refuse || code != ServiceAllocateBlock)
            return 0;
        blocks.push_back(std::make_unique<char[]>(static_cast<size_t>(first)));
        std::memset(blocks.back().get(), 'X', static_cast<size_t>(first));
        return reinterpret_cast<intptr_t>(blocks.back().get());
    }
    static intptr_t other(int32_t, intptr_t, intptr_t) { return 0; }
};

class LumtraCommand : public testing::Test {
protected:
    void SetUp() override
    {
        Allocator::blocks.clear();
        Allocator::calls.clear();
        Allocator::refuse = false;
        ASSERT_EQ(0, library().notify(NotifyServiceCallback,
                                      reinterpret_cast<intptr_t>(&Allocator::callback)));
    }

    const LumtraLibrary& library() const { return lumtraLibrary(); }

    // Calls command 0; the result record starts out holding garbage.
    static const char* run(const LumtraLibrary& lib, std::vector<ValueRecord> arguments)
    {
        ValueRecord result{0x5A5A5A5A, 0, 0};
        lib.record().commandEntries[0](&result, static_cast<int32_t>(arguments.size()),
                                       arguments.data());
        return reinterpret_cast<const char*>(result.value);
    }
    const char* run(std::vector<ValueRecord> arguments) const { return run(library(), arguments); }

    static ValueRecord text(const char* t) { return {reinterpret_cast<intptr_t>(t), 0, TypeTagText}; }
    static ValueRecord integer(int32_t i) { return {i, 0, TypeTagInteger}; }
};

TEST(LumtraRecord, DescribesTheLibraryAndItsOneCommand)
{
    const LibraryRecord* record = lumtraLibrary().getNewInf();
    ASSERT_NE(nullptr, record);
    EXPECT_EQ(record, lumtraLibrary().getNewInf());
    EXPECT_EQ(0x1312D65u, record->formatStamp);
    EXPECT_STREQ(LumtraIdentifier, record->identifier);
    EXPECT_EQ(32u, std::strlen(record->identifier));
    EXPECT_EQ((std::vector<uint32_t>{1, 0, 50, 3, 0, 3, 0, 1, 0}),
              (std::vector<uint32_t>{record->majorVersion, record->minorVersion, record->buildNumber,
                                     record->runtimeMajorVersion, record->runtimeMinorVersion,
                                     record->coreMajorVersion, record->coreMinorVersion,
                                     record->language, record->state}));
    EXPECT_TEXT_EQ("汉字编码转换支持库", record->name);
    EXPECT_TEXT_EQ("本支持库实现了各种编码方式汉字文本之间的转换。", record->explanation);
    EXPECT_TEXT_EQ("祝您一帆风顺，心想事成！", record->closingRemark);
    EXPECT_EQ(0, record->dataTypeCount);
    EXPECT_EQ(nullptr, record->dataTypes);
    EXPECT_EQ(1, record->categoryCount);
    EXPECT_TEXT_EQ("0000内码转换", record->categories);
    EXPECT_EQ(nullptr, record->addInEntry);
    EXPECT_EQ(nullptr, record->templateEntry);
    EXPECT_EQ(nullptr, record->dependentFiles);
    EXPECT_NE(nullptr, record->notificationEntry);

    ASSERT_EQ(1, record->commandCount);
    ASSERT_NE(nullptr, record->commandEntries[0]);
    const CommandRecord& command = record->commands[0];
    EXPECT_TEXT_EQ("内码转换", command.name);
    EXPECT_STREQ("Lumtra", command.englishName);
    EXPECT_EQ(1u, command.categoryAndState);
    EXPECT_EQ(TypeTagText, command.resultType);
    EXPECT_EQ(0x10000u, command.levelWord);
    ASSERT_EQ(2, command.argumentCount);
    EXPECT_TEXT_EQ("待转换文本", command.arguments[0].name);
    EXPECT_EQ(TypeTagText, command.arguments[0].type);
    EXPECT_TEXT_EQ("转换方式", command.arguments[1].name);
    EXPECT_EQ(TypeTagInteger, command.arguments[1].type);
}

TEST(LumtraRecord, ConstantsAreTheFiveModes)
{
    const LibraryRecord& record = lumtraLibrary().record();
    ASSERT_EQ(5, record.constantCount);
    const char* names[] = {"GBK到BIG5", "BIG5到GBK", "GBK繁体到简体", "GBK简体到繁体", "BIG5到GBK简体"};
    for (int i = 0; i < 5; ++i) {
        const ConstantRecord& constant = record.constants[i];
        EXPECT_TEXT_EQ(names[i], constant.name);
        EXPECT_EQ(0x00010001u, constant.kind) << i;
        EXPECT_EQ(nullptr, constant.textValue) << i;
        EXPECT_EQ(static_cast<double>(i + 1), constant.value) << i;
    }
}

TEST(LumtraRecord, ExportsNothingButItsTwoEntries)
{
    for (const char* hidden : {"GbkToBig5Table", "Big5ToGbkTable", "convertCommand", "notify"})
        EXPECT_EQ(nullptr, dlsym(lumtraLibrary().handle, hidden)) << hidden;
}

TEST_F(LumtraCommand, NotificationStoresOnlyTheCallbackOfCodeOne)
{
    for (int32_t code : {0, 2, 3, 2024})
        EXPECT_EQ(-1, library().notify(code, reinterpret_cast<intptr_t>(&Allocator::other))) << code;
    const char* result = run({text("abc"), integer(ModeGbkToBig5)});
    ASSERT_NE(nullptr, result);
    EXPECT_EQ(1u, Allocator::calls.size()) << "callback of code 1 was replaced";
}

TEST_F(LumtraCommand, ConvertsANewCopyAndLeavesTheArgument)
{
    const char* abc = "abc";
    const char* result = run({text(abc), integer(ModeGbkToBig5)});
    ASSERT_NE(nullptr, result);
    EXPECT_NE(abc, result);
    EXPECT_STREQ("abc", result);
    ASSERT_EQ(1u, Allocator::calls.size());
    EXPECT_EQ((std::vector<intptr_t>{ServiceAllocateBlock, 4, 0}), Allocator::calls[0]);

    const char china[] = "\xD6\xD0\xB9\xFA";
    EXPECT_EQ("A4 A4 B0 EA", hexOf(run({text(china), integer(ModeGbkToBig5)})));
    EXPECT_EQ("D6 D0 B9 FA", hexOf(china));
}

TEST_F(LumtraCommand, OtherModesGiveAnUnchangedCopy)
{
    const char* china = "\xD6\xD0\xB9\xFA";
    for (ValueRecord mode : {integer(0), integer(6), integer(-1), text("\x01"),
                             ValueRecord{ModeGbkToBig5, 0, TypeTagText}}) {
        const char* result = run({text(china), mode});
        ASSERT_NE(nullptr, result);
        EXPECT_NE(china, result);
        EXPECT_STREQ(china, result);
    }
    EXPECT_EQ(5u, Allocator::calls.size());
}

TEST_F(LumtraCommand, BadArgumentsGiveNullWithoutABlock)
{
    const std::vector<std::vector<ValueRecord>> calls = {
        {},
        {text("abc")},
        {text(""), integer(ModeGbkToBig5)},
        {text(nullptr), integer(ModeGbkToBig5)},
        {ValueRecord{reinterpret_cast<intptr_t>("abc"), 0, TypeTagInteger}, integer(ModeGbkToBig5)},
        {integer(7), integer(ModeGbkToBig5)},
    };
    for (size_t i = 0; i < calls.size(); ++i)
        EXPECT_EQ(nullptr, run(calls[i])) << "call " << i;
    EXPECT_TRUE(Allocator::calls.empty());
}

TEST_F(LumtraCommand, NoBlockGivesNull)
{
    Allocator::refuse = true;
    EXPECT_EQ(nullptr, run({text("abc"), integer(ModeGbkToBig5)}));
    EXPECT_EQ(1u, Allocator::calls.size());
}

TEST_F(LumtraCommand, WithoutACallbackTheResultIsNull)
{
    const LumtraLibrary fresh = freshLumtraCopy();
    EXPECT_EQ(nullptr, run(fresh, {text("abc"), integer(ModeGbkToBig5)}));
    ASSERT_EQ(0, library().notify(NotifyServiceCallback, 0));
    EXPECT_EQ(nullptr, run({text("abc"), integer(ModeGbkToBig5)}));
    EXPECT_TRUE(Allocator::calls.empty());
}

} // namespace
