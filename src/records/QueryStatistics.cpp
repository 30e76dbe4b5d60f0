#include "records/QueryStatistics.h"

QString QueryStatistics::line(double quantity, double money)
{
    return QString::asprintf("查询结果统计：销售数量：%.2f   销售金额：%.2f", quantity, money);
}
