#include "strings/SpreadsheetConverter.h"

#include "platform/ChildProcess.h"
#include "platform/FileSystem.h"
#include "platform/ProgramDirectory.h"
#include "platform/UiText.h"

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
        m_error = platform::uiText("无法创建临时文件，Excel文件没有转换：") + spreadsheet;
        return false;
    }
    platform::ChildProcess converter;
    if (!converter.start({m_program, spreadsheet, m_output})) {
        m_error =
            platform::formatText(platform::uiText("无法启动转换程序%s：%s"), m_program.c_str(),
                                 std::generic_category().message(converter.startError()).c_str());
        removeOutput();
        return false;
    }
    const int status = converter.wait();
    if (status != 0) {
        m_error =
            status < 0
                ? platform::formatText(platform::uiText("Excel文件转换失败：%s\n转换程序%s被中止"),
                                       spreadsheet.c_str(), m_program.c_str())
                : platform::formatText(
                      platform::uiText("Excel文件转换失败：%s\n转换程序%s的退出代码：%d"),
                      spreadsheet.c_str(), m_program.c_str(), status);
        removeOutput();
        return false;
    }
    return true;
}
