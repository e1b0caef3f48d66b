# Decoding engine sources (queues, demuxer, decoders, audio, player core).
