// Fuzz target of the argument scan: the input is split at NUL bytes into arguments, scanned,
// and its words mapped to output codes; the grammar's promises are checked on the result.
#include "app/driver/CommandLineArgs.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace glyphora;
    std::vector<std::string> arguments(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            arguments.emplace_back();
        else
            arguments.back() += static_cast<char>(data[i]);
    }
    const CommandLineArgs args = ScanCommandLine(arguments);
    if (args.positional.size() > static_cast<std::size_t>(kMaxArguments)) __builtin_trap();
    if (args.iconNumber < 0) __builtin_trap();               // unset or negative becomes 1
    if (args.dbfFieldName.size() > 10 * 4) __builtin_trap(); // at most 10 characters
    if (args.warnings.size() > static_cast<std::size_t>(kMaxArguments)) __builtin_trap();

    const OutputCodes codes = MapOutputWords(args.typeWord, args.dbfTypeWord, args.htmlImageWord);
    // Every kind goes to its code and back; a memo holds an icon file or a picture.
    if (OutputKindFromCode(OutputKindCode(codes.fileType)) != codes.fileType || codes.typeWord.empty())
        __builtin_trap();
    if (PictureKindPosition(codes.dbfType) < 0) __builtin_trap();
    if (HtmlPictureTypeFromCode(HtmlPictureTypeCode(codes.targetImageType)) != codes.targetImageType) __builtin_trap();
    for (const auto& a : arguments)
        (void)ExtensionWord(a);
    return 0;
}
