#include "videoparserrunnable.h"

#include "videoparser.h"

CVideoParserRunnable::CVideoParserRunnable(VideoParser *parser)
    : m_parser(parser)
{
}

void CVideoParserRunnable::run()
{
    m_parser->parse();
}
