#include "strings/SpreadsheetConverter.h"

#include "platform/ChildProcess.h"
#include "platform/FileSystem.h"
#include "platform/ProgramDirectory.h"

#include <system_error>

SpreadsheetConverter::SpreadsheetConverter(std::string program) : m_program(std::move(program))
{
    if (m_program.empty()) {
        m_program = platform::programDirectory() + "xls2txt";
    }
}

SpreadsheetConverter::~SpreadsheetConverter()
{
    removeOutput();
}

void SpreadsheetConverter::removeOutput()
{
    if (!m_output.empty()) {
        platform::removeFile(m_output);
        m_output.clear();
    }
}

bool SpreadsheetConverter::Convert(const std::string& spreadsheet)
{
    removeOutput();
    m_error.clear();
    m_output = platform::uniqueTemporaryFilePath("xls2txt", ".csv");
    if (m_output.empty()) {
        m_error = "无法创建临时文件，Excel文件没有转换：" + spreadsheet;
        return false;
    }
    platform::ChildProcess converter;
    if (!converter.start({m_program, spreadsheet, m_output})) {
        m_error = "无法启动转换程序" + m_program + "：" +
                  std::generic_category().message(converter.startError());
        removeOutput();
        return false;
    }
    const int status = converter.wait();
    if (status != 0) {
        m_error = "Excel文件转换失败：" + spreadsheet + "\n转换程序" + m_program +
                  (status < 0 ? std::string("被中止") : "的退出代码：" + std::to_string(status));
        removeOutput();
        return false;
    }
    return true;
}
