// expand and compress: one raw coded stream, no container.
#include <iostream>
#include <memory>

#include "compress/Compress.h"
#include "compress/CompressExceptions.h"
#include "port/Exception.h"
#include "port/FileStream.h"
#include "port/FileSystem.h"
#include "tools/mksetup/Commands.h"
#include "tools/mksetup/ExitCodes.h"
#include "tools/mksetup/Methods.h"

namespace {

struct StreamOptions {
    MethodChoice method;
    std::int32_t size = 0;
    std::int32_t key = 0;
    std::string input;
    std::string output;
};

CLI::Option* AddMethodOption(CLI::App& sub, MethodChoice& method)
{
    return sub.add_option("--method", method.row, "coding method")
        ->transform(CLI::CheckedTransformer(MethodNames(), CLI::ignore_case))
        ->option_text(MethodNameList());
}

std::int32_t InputSizeOf(FileStream& in)
{
    const std::int64_t size = in.Size();
    if (size > 2147483647) throw Exception(in.Path() + " is larger than 2 GB");
    return static_cast<std::int32_t>(size);
}

// Creates the output and runs write on it; when anything fails the output is removed, so that no
// half-written file is left to pass for a whole one.
template <typename Write>
int WithOutput(const std::string& path, Write write)
{
    auto out = std::make_unique<FileStream>(path, FileMode::Create);
    try {
        return write(*out);
    } catch (...) {
        out.reset();
        try {
            port::EraseFile(path);
        } catch (const Exception&) {
        }
        throw;
    }
}

int Expand(const StreamOptions& o)
{
    FileStream in(o.input, FileMode::OpenRead);
    const std::int32_t inputSize = InputSizeOf(in);
    return WithOutput(o.output, [&](FileStream& out) {
        TCompress c;
        c.Key = o.key;
        o.method.ApplyTo(c);
        std::int32_t checksum = 0;
        const std::int32_t written = c.CodeStream(out, in, o.key != 0, TCodeDirection::Expand, checksum,
                                                  o.method.Method(), o.size, inputSize);
        std::cout << o.output << ": " << written << " bytes, checksum " << static_cast<std::uint32_t>(checksum)
                  << "\n";
        return kExitOk;
    });
}

int Compress(const StreamOptions& o)
{
    FileStream in(o.input, FileMode::OpenRead);
    const std::int32_t size = InputSizeOf(in);
    try {
        return WithOutput(o.output, [&](FileStream& out) {
            TCompress c;
            c.Key = o.key;
            o.method.ApplyTo(c);
            std::int32_t checksum = 0;
            const std::int32_t written =
                c.CodeStream(out, in, false, TCodeDirection::Compress, checksum, o.method.Method(), 0, size);
            std::cout << o.input << ": " << size << " -> " << written << " bytes, checksum "
                      << static_cast<std::uint32_t>(checksum) << "\n";
            return kExitOk;
        });
    } catch (const EUnableToCompress&) {
        std::cerr << "mksetup: " << o.input << " would not get smaller with " << MethodName(o.method)
                  << "; nothing written\n";
        return kExitNotSmaller;
    }
}

}  // namespace

Command AddExpandCommand(CLI::App& app)
{
    auto o = std::make_shared<StreamOptions>();
    CLI::App* sub = app.add_subcommand("expand", "decode a raw coded stream of --size expanded bytes");
    AddMethodOption(*sub, o->method)->required();
    sub->add_option("--size", o->size, "expanded size in bytes")->required()->check(CLI::NonNegativeNumber);
    sub->add_option("--key", o->key, "key the stream was scrambled with");
    sub->add_option("IN", o->input, "coded stream")->required();
    sub->add_option("OUT", o->output, "file to write")->required();
    return [o] { return Expand(*o); };
}

Command AddCompressCommand(CLI::App& app)
{
    auto o = std::make_shared<StreamOptions>();
    CLI::App* sub = app.add_subcommand("compress", "code a file into a raw stream (no container)");
    AddMethodOption(*sub, o->method)->required();
    sub->add_option("--key", o->key, "key to scramble the coded bytes with");
    sub->add_option("IN", o->input, "file to code")->required();
    sub->add_option("OUT", o->output, "coded stream to write")->required();
    return [o] { return Compress(*o); };
}
