// A session: a problem file or a model loaded once and run, with the frame, the answer, the
// sensitivity and the picture the front ends get from it.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "problem/glpk_model_reader.h"
#include "solver/analysis/plane_svg.h"
#include "solver/session/loaded_problem.h"
#include "solver/session/session_run.h"
#include "support/temp_folder.h"

namespace {

using test_support::read_file;
using test_support::TempFolder;
using test_support::write_file;

// max 3 x1 + 2 x2: x1 + x2 <= 4, 2 x1 + x2 <= 6 -> x1 = x2 = 2, F = 10.
constexpr const char* kProblemFile =
    "Aim: max\nSize: 2 4\nVar_names: x1 x2 s1 s2\nMatrix:\n  3 2 0 0\n  4 1 1 1 0\n  6 2 1 0 1\nFile: report.txt\n";
// max 3 x + 2 y: x + y <= 4, x >= 1 -> x = 4, F = 12.
constexpr const char* kLpModel = "Maximize\n obj: 3 x + 2 y\nSubject To\n c1: x + y <= 4\n c2: x >= 1\nEnd\n";
// The same plan with another bound: x + y <= 2 -> F = 6.
constexpr const char* kOtherLpModel = "Maximize\n obj: 3 x + 2 y\nSubject To\n c1: x + y <= 2\n c2: x >= 1\nEnd\n";
// max c x + y: x + y <= 3, x <= 2 with c = 2 from the data -> x = 2, y = 1, z = 5.
constexpr const char* kMathProgModel =
    "param c;\nvar x >= 0;\nvar y >= 0;\nmaximize z: c * x + y;\ns.t. a: x + y <= 3;\ns.t. b: x <= 2;\nend;\n";
constexpr const char* kMathProgData = "data;\nparam c := 2;\nend;\n";

LoadRequest request_for(const std::filesystem::path& path) {
    LoadRequest request;
    request.path = path.string();
    return request;
}

SessionSettings all_asked() {
    SessionSettings settings;
    settings.sensitivity = true;
    settings.picture = true;
    return settings;
}

// The record as a front end sets it up: the report in the test's folder.
SimplexIteration record_in(const LoadedProblem& loaded, const TempFolder& folder) {
    SimplexIteration run = loaded.record;
    if (!loaded.from_model()) run.file = folder.report_name("report.txt");
    return run;
}

TEST(Session, LoadsOnceAndRunsEachKindOfInputAsTheFrontEndsGetIt) {
    const struct {
        const char* name;
        std::vector<std::pair<const char*, const char*>> files;
        const char* path;
        std::optional<std::string> data;
        double objective;
        std::size_t analysed_rows;  // MathProg keeps its objective as a free row
        const char* report;         // the report's name in the folder
        const char* answer;         // a line of the report's answer; empty: a problem file's report has none
    } cases[] = {
        {"problem file", {{"plan.qtb", kProblemFile}}, "plan.qtb", std::nullopt, 10.0, 2, "report.txt", ""},
        {"LP model", {{"plan.lp", kLpModel}}, "plan.lp", std::nullopt, 12.0, 2, "plan.txt", "  x = 4\r\n"},
        {"MathProg model with data",
         {{"plan.mod", kMathProgModel}, {"plan.dat", kMathProgData}},
         "plan.mod",
         "plan.dat",
         5.0,
         3,
         "plan.txt",
         "  y = 1\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TempFolder folder("qtb_session");
        for (const auto& [name, text] : c.files) write_file(folder.path() / name, text);
        LoadRequest request = request_for(folder.path() / c.path);
        if (c.data) request.data_file = (folder.path() / *c.data).string();
        const LoadedProblem loaded = load_problem(request);
        EXPECT_EQ(loaded.from_model(), c.answer[0] != '\0');
        EXPECT_FALSE(loaded.needs_report_name());

        const SessionRun done = run_session(loaded, record_in(loaded, folder), all_asked());
        ASSERT_TRUE(done.outcome.status.empty());
        EXPECT_EQ(done.outcome.end, RunEnd::optimal);
        const double objective =
            loaded.model ? loaded.model->objective(done.outcome.solution) : done.outcome.solution(0, 0);
        EXPECT_DOUBLE_EQ(objective, c.objective);
        ASSERT_TRUE(done.sensitivity);
        EXPECT_EQ(done.sensitivity->rows.size(), c.analysed_rows);
        ASSERT_TRUE(done.picture);
        EXPECT_TRUE(done.picture->level_line);

        // The frame: a model's construction first, its answer after the last table, the analysis last.
        const std::string report = read_file(folder.path() / c.report);
        const ReportFrame frame = session_frame(loaded, done.record, all_asked());
        EXPECT_EQ(frame.preamble.empty(), !loaded.from_model());
        if (!frame.preamble.empty()) {
            EXPECT_TRUE(report.starts_with(frame.preamble.front() + "\r\n"));
        }
        if (c.answer[0] != '\0') {
            EXPECT_NE(report.find(c.answer), std::string::npos) << report;
        }
        EXPECT_NE(report.find("\r\nАнализ чувствительности (по последней таблице):"_cp1251.data()), std::string::npos);
    }
}

TEST(Session, AFailingModelIsToldByItsReadingAndAProblemFileWithErrorsByItsCodes) {
    const TempFolder folder("qtb_session");
    write_file(folder.path() / "bad.mod", "var x >= 0;\nmaximize z: x\n");
    write_file(folder.path() / "bad.qtb", "Aim: sideways\n");
    EXPECT_THROW(load_problem(request_for(folder.path() / "bad.mod")), ModelReadError);
    EXPECT_THROW(load_problem(request_for(folder.path() / "bad.qtb")), SimplexIteration::bad_simplex);
}

// The picture comes from the load: a model file changed after it cannot change the picture.
TEST(Session, NothingReadsTheModelASecondTime) {
    const TempFolder folder("qtb_session");
    const std::filesystem::path path = folder.path() / "plan.lp";
    const auto picture_of = [](const LoadedProblem& loaded) {
        const SessionRun done = run_session(loaded, loaded.record, all_asked());
        return done.picture ? plane_svg(*done.picture) : std::string();
    };
    write_file(path, kOtherLpModel);
    const std::string other = picture_of(load_problem(request_for(path)));
    write_file(path, kLpModel);
    const LoadedProblem loaded = load_problem(request_for(path));
    const std::string before = picture_of(loaded);
    write_file(path, kOtherLpModel);  // edited between the load and the run
    const std::string after = picture_of(loaded);
    EXPECT_FALSE(before.empty());
    EXPECT_NE(before, other);
    EXPECT_EQ(after, before);
}

// A MathProg model is offered the .dat beside it of its own name; nothing else is.
TEST(Session, AMathProgModelIsOfferedTheDataFileOfItsNameBesideIt) {
    const TempFolder folder("qtb_session");
    for (const char* name : {"plan.mod", "plan.dat", "upper.MOD", "upper.dat", "alone.mod", "plan.lp", "lp.dat"})
        write_file(folder.path() / name, "");
    std::filesystem::create_directory(folder.path() / "folder.dat");
    const struct {
        const char* model;
        const char* offered;  // empty: nothing
    } cases[] = {{"plan.mod", "plan.dat"}, {"upper.MOD", "upper.dat"},
                 {"alone.mod", ""},        {"folder.mod", ""},
                 {"plan.lp", ""},          {"lp.qtb", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.model);
        const std::optional<std::string> offered = data_file_beside((folder.path() / c.model).string());
        if (c.offered[0] == '\0') {
            EXPECT_FALSE(offered);
        } else {
            EXPECT_EQ(offered, (folder.path() / c.offered).string());
        }
    }
}

}  // namespace
