#pragma once
// Small data files made by the tests themselves, in a fresh temporary folder.

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace vl::test {

class TempFolder {
 public:
  TempFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path() /
            ("vl_data_" + std::string(info ? info->name() : "x") + "_" + std::to_string(::getpid()));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() { std::filesystem::remove_all(path_); }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

  // Writes the bytes as they are.
  std::string Write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(File(name), std::ios::binary);
    out << bytes;
    return File(name);
  }

  // A SQLite database made by running the given SQL.
  std::string Database(const std::string& name, const std::string& sql) const {
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open(File(name).c_str(), &db), SQLITE_OK);
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
    return File(name);
  }

 private:
  std::filesystem::path path_;
};

}  // namespace vl::test
