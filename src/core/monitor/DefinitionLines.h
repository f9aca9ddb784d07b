#pragma once
// The comma lines of the definition files (monitor definitions, status
// tables): lines cut at every ",", nothing trimmed or unquoted; a line whose
// first column is empty or begins with "//" is a comment.
#include <string>
#include <vector>

namespace quelda {

bool IsCommentColumn(const std::string& firstColumn);

// Column i of a line, empty when the line has fewer columns.
std::string ColumnAt(const std::vector<std::string>& columns, std::size_t i);

// The columns of every line that is not a comment, in file order (the title
// line first), each with at least `columns` columns. false when the file
// cannot be read (rows is then empty).
bool ReadDefinitionRows(const std::string& path, std::size_t columns,
                        std::vector<std::vector<std::string>>& rows);

}  // namespace quelda
