#pragma once

// NIST StRD reference sets as the files in data/ hold them: "# key: value" lines with the
// certified values, then one observation per line, the response last.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

struct TNistSet {
    // Parameter name: certified value, certified standard deviation, in file order.
    std::vector<std::string> Parameters;
    std::map<std::string, std::vector<double>> Certified;
    double Rss = 0, R2 = 0;
    // The model with ^ for powers, parameters b1, b2, ..., the predictor x.
    std::string Model;
    // NIST's two starting points of a nonlinear set.
    std::vector<double> Start1, Start2;
    // The predictors of each observation, and the responses.
    std::vector<std::vector<double>> Predictors;
    std::vector<double> X, Y;
};

inline TNistSet ReadNist(const std::string& Name) {
    const auto Path = std::filesystem::path(QVTEST_DATA_DIR) / (Name + ".txt");
    std::ifstream In(Path);
    EXPECT_TRUE(In) << Path;
    TNistSet Set;
    std::string Line;
    while (std::getline(In, Line)) {
        std::istringstream Fields(Line);
        if (Line.starts_with("# certified:")) {
            std::string Key, Parameter;
            double Value, Deviation;
            Fields >> Key >> Key >> Parameter >> Value >> Deviation;
            Set.Parameters.push_back(Parameter);
            Set.Certified[Parameter] = {Value, Deviation};
        } else if (Line.starts_with("# rss:")) {
            Fields.str(Line.substr(6));
            Fields >> Set.Rss;
        } else if (Line.starts_with("# model:")) {
            Set.Model = Line.substr(Line.find('=') + 2);
        } else if (Line.starts_with("# start1:") || Line.starts_with("# start2:")) {
            Fields.str(Line.substr(9));
            for (double v; Fields >> v;)
                (Line[7] == '1' ? Set.Start1 : Set.Start2).push_back(v);
        } else if (Line.starts_with("# r2:")) {
            Fields.str(Line.substr(5));
            Fields >> Set.R2;
        } else if (!Line.starts_with("#") && !Line.empty()) {
            std::vector<double> Values;
            for (double v; Fields >> v;)
                Values.push_back(v);
            Set.Y.push_back(Values.back());
            Values.pop_back();
            Set.X.push_back(Values.front());
            Set.Predictors.push_back(Values);
        }
    }
    return Set;
}

// Log relative error: the number of correct significant digits, at most 15.
inline double Lre(double Computed, double Certified) {
    const double Error = std::abs(Computed - Certified);
    if (Error == 0) return 15;
    return std::min(15.0, -std::log10(Error / std::abs(Certified)));
}
