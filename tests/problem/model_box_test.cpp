// Hostile models: each ends in one message naming its cause, touches no file
// outside the reading's own folder and leaves no working folder behind.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "problem/glpk_model_reader.h"
#include "problem/model_box.h"
#include "problem/model_load_stop.h"
#include "problem/model_translation.h"
#include "support/model_read_message.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using test_support::model_read_message;
using test_support::TempFolder;
using test_support::write_in;

// Working folders go to a TMPDIR of the test's own, which must be empty afterwards.
class ModelBox : public ::testing::Test {
protected:
    void SetUp() override {
        const char* old = getenv("TMPDIR");
        if (old != nullptr) old_tmpdir_ = old;
        setenv("TMPDIR", tmp_.path().c_str(), 1);
    }
    void TearDown() override {
        if (old_tmpdir_) {
            setenv("TMPDIR", old_tmpdir_->c_str(), 1);
        } else {
            unsetenv("TMPDIR");
        }
        EXPECT_TRUE(fs::is_empty(tmp_.path())) << "a working folder was left";
    }
    std::string message_of(const std::string& path, ModelFormat format, const ModelReadLimits& limits = {}) {
        return model_read_message(path, format, std::nullopt, limits);
    }

    TempFolder files_{"qtb_box_files"};
    TempFolder outside_{"qtb_box_outside"};

    TempFolder tmp_{"qtb_box_tmp"};

private:
    std::optional<std::string> old_tmpdir_;
};

std::string repeated(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

std::string nested(int depth) { return std::string(depth, '(') + "1" + std::string(depth, ')'); }

TEST_F(ModelBox, HostileModelsEndInOneMessageNamingTheCause) {
    const std::string target = (outside_.path() / "target.txt").string();
    const ModelReadLimits little_memory{10.0, 64, nullptr};
    const ModelReadLimits little_time{1.0, 1024, nullptr};
    const struct {
        const char* file;
        ModelFormat format;
        std::string text;
        ModelReadLimits limits;
        const char* cause;
    } cases[] = {
        {"p.mod", ModelFormat::mathprog, "printf \"x\" > \"" + target + "\";\nend;\n", {}, "p.mod:1: оператор printf"},
        {"a.mod", ModelFormat::mathprog, "printf \"x\" >> \"" + target + "\";\nend;\n", {}, "a.mod:1: оператор printf"},
        {"o.mod",
         ModelFormat::mathprog,
         "set S := 1..2;\ntable t {i in S} OUT \"CSV\" \"" + target + "\": i;\nend;\n",
         {},
         "o.mod:2: оператор table"},
        {"i.mod",
         ModelFormat::mathprog,
         "set S;\ntable t IN \"CSV\" \"" + target + "\": S <- [i];\nend;\n",
         {},
         "i.mod:2: оператор table"},
        {"bv.mps",
         ModelFormat::mps,
         "NAME T\nROWS\n N obj\n L c\nCOLUMNS\n x obj 1 c 1\nRHS\n RHS c 4\nBOUNDS\n BV BND x\n FR BND x\nENDATA\n",
         {},
         "bv.mps: GLPK остановился на внутренней ошибке: Assertion failed"},
        {"big.mod", ModelFormat::mathprog,
         "set S := 1..100000000;\nparam p{i in S} := i;\nvar x >= 0;\nminimize z: x + sum{i in S} p[i];\nend;\n",
         little_memory, "памяти"},
        {"deep.mod",
         ModelFormat::mathprog,
         "var x;\nminimize z: x + " + nested(20000) + ";\nend;\n",
         {},
         "deep.mod:2: скобки вложены глубже 200"},
        {"pow.mod",
         ModelFormat::mathprog,
         "param p := 1" + repeated("^1", 20000) + ";\nend;\n",
         {},
         "pow.mod:1: в операторе больше 1000 вложенных операций"},
        {"slow.mod", ModelFormat::mathprog,
         "param n := sum{i in 1..100000, j in 1..100000} i * j;\nvar x;\nminimize z: x + n;\nend;\n", little_time,
         "дольше предела времени (1 с)"},
    };
    for (const auto& c : cases) {
        const std::string message = message_of(write_in(files_, c.file, c.text), c.format, c.limits);
        EXPECT_NE(message.find(c.cause), std::string::npos) << c.file << ": " << message;
        EXPECT_FALSE(fs::exists(target)) << c.file;
    }
}

// What the pre-scan refuses, the box itself keeps from the files.
TEST_F(ModelBox, TheBoxKeepsAModelFromFilesEvenPastThePreScan) {
    const std::string target = (outside_.path() / "target.txt").string();
    for (const std::string& text : {"printf \"x\" > \"" + target + "\";\nend;\n",
                                    "set S := 1..2;\ntable t {i in S} OUT \"CSV\" \"" + target + "\": i;\nend;\n"}) {
        ModelBoxRequest request;
        request.format = ModelFormat::mathprog;
        request.model_text = text;
        request.model_name = "m.mod";
        std::string printed;
        EXPECT_THROW(run_model_box(request, {}, printed), ModelReadError) << text;
        EXPECT_FALSE(fs::exists(target)) << text;
    }
}

TEST_F(ModelBox, FilesTooLargeOrEndlessAreRefused) {
    const std::string oversized = (files_.path() / "huge.lp").string();
    fs::resize_file(write_in(files_, "huge.lp", ""), (std::uintmax_t{256} << 20) + 1);
    for (const std::string& path : {std::string("/dev/zero"), oversized}) {
        const std::string message = message_of(path, ModelFormat::cplex_lp);
        EXPECT_NE(message.find(path + " больше 256 МиБ"), std::string::npos) << message;
    }
}

TEST_F(ModelBox, WhatTheModelPrintsComesBackBounded) {
    const std::string path =
        write_in(files_, "p.mod", "for {i in 1..300000} printf \"строка %d\\n\", i;\nvar x;\nminimize z: x;\nend;\n");
    const LpModel model = read_model_file(path, ModelFormat::mathprog);
    EXPECT_TRUE(model.output.starts_with("строка 1\n"));
    EXPECT_NE(model.output.find("байт вывода не показаны"), std::string::npos);
    EXPECT_LT(model.output.size(), (std::size_t{1} << 20) + 200);
}

TEST_F(ModelBox, StopRequestEndsTheReading) {
    ModelLoadStop stop;
    stop.request();
    ModelReadLimits limits;
    limits.stop = &stop;
    const std::string path = write_in(files_, "m.lp", "Maximize\n obj: x\nSubject To\n c: x <= 4\nEnd\n");
    EXPECT_EQ(message_of(path, ModelFormat::cplex_lp, limits), "чтение модели прервано");
}

// A program killed while its model was read leaves its folder; the next reading removes it, and only it.
TEST_F(ModelBox, FoldersOfKilledReadersAreRemovedByTheNextReading) {
    const pid_t gone = fork();
    if (gone == 0) _exit(0);
    ASSERT_GT(gone, 0);
    waitpid(gone, nullptr, 0);
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(1);
    const fs::path left = tmp_.path() / ("qtb-model-" + std::to_string(gone) + "-a1b2c3");
    const fs::path live = tmp_.path() / ("qtb-model-" + std::to_string(getppid()) + "-d4e5f6");
    const fs::path foreign = tmp_.path() / ("qtb-modelling-" + std::to_string(gone) + "-a1b2c3");
    for (const fs::path& folder : {left, live, foreign}) {
        fs::create_directory(folder);
        fs::last_write_time(folder, old);
    }
    const std::string path = write_in(files_, "m.lp", "Maximize\n obj: x\nSubject To\n c: x <= 4\nEnd\n");
    read_model_file(path, ModelFormat::cplex_lp);
    EXPECT_FALSE(fs::exists(left));
    EXPECT_TRUE(fs::exists(live));
    EXPECT_TRUE(fs::exists(foreign));
    fs::remove(live);
    fs::remove(foreign);
}

TEST(ModelMessages, AnEndlessLineNumberIsNoFault) {
    const std::string digits(50000, '7');
    const std::string output = "garbage\nm.lp:" + digits + ": bad\nmore\n";
    EXPECT_EQ(located_error_message(output), "m.lp:" + digits + ": bad\nmore");
}

}  // namespace
