#pragma once
// The comma lines of the definition files (monitor definitions, status
// tables, EEPROM tables): lines cut at every ",", nothing trimmed or
// unquoted; a line whose first column is empty or begins with "//" is a
// comment. Received messages are cut the same way at "," and "*".
#include <cstddef>
#include <string>
#include <vector>

namespace quelda {

// Cuts a line at every ","; nothing is trimmed or unquoted. At least `count`
// fields are returned (missing ones empty); surplus fields are kept.
std::vector<std::string> SplitComma(const std::string& line, std::size_t count = 0);

bool IsCommentColumn(const std::string& firstColumn);

// Column i of a line, empty when the line has fewer columns.
std::string ColumnAt(const std::vector<std::string>& columns, std::size_t i);

// The columns of every line that is not a comment, in file order (the title
// line first), each with at least `columns` columns. false when the file
// cannot be read (rows is then empty).
bool ReadDefinitionRows(const std::string& path, std::size_t columns,
                        std::vector<std::vector<std::string>>& rows);


// A received message cut into elements at every "," and every "*":
// element 0 is "$" with the header, empty elements count, and the last one
// is all that follows the last separator (check digits and CR LF included).
std::vector<std::string> SplitElements(const std::string& text);

}  // namespace quelda
