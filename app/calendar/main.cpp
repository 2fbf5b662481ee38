// tarvel-calendar: the holiday calendar's pages and both Easter dates on the console.
#include "calendar/calendar_tool.h"

#include <iostream>
#include <string_view>
#include <vector>

int main(int argc, char** argv)
{
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    return tarvel::RunCalendarTool(args, std::cout, std::cerr);
}
