# Player control, renderers, screenshots and the factory.
