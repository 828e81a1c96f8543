"""Faults in art sources, reported as file:row:column: message (the form editors jump to)."""


class ArtError(Exception):
    def __init__(self, path, line, column, message):
        self.path = path
        self.line = line
        self.column = column
        self.message = message
        super().__init__(self.text())

    def text(self):
        where = str(self.path)
        if self.line:
            where += f":{self.line}"
            if self.column:
                where += f":{self.column}"
        return f"{where}: {self.message}"
